#include "online/duplicate_query.h"

#include "frame/text_helpers.h"
#include "online/site.h"
#include "platform/gbk.h"

namespace online {

std::string CleanQueryName(std::string_view text) {
  return gbk::RemoveAsciiCharacters(text, "0123456789abcdefghijklmnopqrstuvwxyz?!.()[]{};:,<>|\\/-+='");
}

std::string AnswerText(std::string_view body) { return gbk::ReplaceAll(BodyText(body), "<br>", "\r\n"); }

DuplicateQueryOutcome RunDuplicateQuery(std::string_view name, std::stop_token stop,
                                        const HttpOptions& options) {
  if (!frame::SiteAddressSet())
    return {DuplicateQueryOutcome::Kind::Failed,
            gbk::G("查询失败:重名查询由澜舟雅集的网站提供,网站现在无法访问,暂时不能查询。")};
  HttpResult result = HttpFetch(DuplicateNameQueryUrl(name), stop, options);
  if (!result.transferred)
    return {DuplicateQueryOutcome::Kind::Failed,
            gbk::G("查询失败:无法连接到查询服务器,请检查您的网络是否通畅,或稍后再试。")};
  if (!result.succeeded())
    return {DuplicateQueryOutcome::Kind::Failed, gbk::G("查询失败:查询服务器返回错误(状态 ") +
                                                     std::to_string(result.status) +
                                                     gbk::G("),请稍后再试。")};
  std::string answer = AnswerText(result.body);
  if (answer.empty()) return {DuplicateQueryOutcome::Kind::NoDuplicates, gbk::G("未查到重名")};
  return {DuplicateQueryOutcome::Kind::Answer, std::move(answer)};
}

}  // namespace online
