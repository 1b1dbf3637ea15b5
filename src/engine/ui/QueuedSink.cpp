#include "engine/ui/QueuedSink.h"

#include <QMetaObject>

namespace engine {

namespace {

class QueuedSink : public GenerationSink {
 public:
  QueuedSink(QObject* context, std::shared_ptr<GenerationSink> target)
      : context_(context), target_(std::move(target)) {}

  void OnRunStarted() override {
    Post([](GenerationSink& t) { t.OnRunStarted(); });
  }
  void OnProgress(const RunProgress& progress) override {
    Post([progress](GenerationSink& t) { t.OnProgress(progress); });
  }
  void OnRows(std::vector<ResultRow>&& rows) override {
    auto batch = std::make_shared<std::vector<ResultRow>>(std::move(rows));
    Post([batch](GenerationSink& t) { t.OnRows(std::move(*batch)); });
  }
  void OnRunFinished(const RunFinish& finish) override {
    Post([finish](GenerationSink& t) { t.OnRunFinished(finish); });
  }

 private:
  template <class F>
  void Post(F&& call) {
    // Qt's queued calls to one receiver keep their order.
    QMetaObject::invokeMethod(
        context_, [target = target_, call = std::forward<F>(call)]() { call(*target); },
        Qt::QueuedConnection);
  }

  QObject* context_;
  std::shared_ptr<GenerationSink> target_;
};

}  // namespace

std::shared_ptr<GenerationSink> MakeQueuedSink(QObject* context, std::shared_ptr<GenerationSink> target) {
  return std::make_shared<QueuedSink>(context, std::move(target));
}

}  // namespace engine
