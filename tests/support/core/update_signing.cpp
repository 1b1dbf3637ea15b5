#include "support/core/update_signing.h"

#include <openssl/evp.h>
#include <openssl/pem.h>

#include <memory>
#include <vector>

namespace testing_support {
namespace {

using Key = std::unique_ptr<EVP_PKEY, decltype(&EVP_PKEY_free)>;
using Bio = std::unique_ptr<BIO, decltype(&BIO_free)>;

std::string Drain(BIO* bio) {
  char* data = nullptr;
  long n = BIO_get_mem_data(bio, &data);
  return std::string(data, static_cast<size_t>(n));
}

}  // namespace

TestKeyPair MakeTestKeyPair() {
  Key key(EVP_PKEY_Q_keygen(nullptr, nullptr, "ED25519"), EVP_PKEY_free);
  Bio priv(BIO_new(BIO_s_mem()), BIO_free), pub(BIO_new(BIO_s_mem()), BIO_free);
  PEM_write_bio_PrivateKey(priv.get(), key.get(), nullptr, nullptr, 0, nullptr, nullptr);
  PEM_write_bio_PUBKEY(pub.get(), key.get());
  return {Drain(priv.get()), Drain(pub.get())};
}

std::string SignBytes(std::string_view privatePem, std::string_view bytes) {
  Bio in(BIO_new_mem_buf(privatePem.data(), static_cast<int>(privatePem.size())), BIO_free);
  Key key(PEM_read_bio_PrivateKey(in.get(), nullptr, nullptr, nullptr), EVP_PKEY_free);
  std::unique_ptr<EVP_MD_CTX, decltype(&EVP_MD_CTX_free)> ctx(EVP_MD_CTX_new(), EVP_MD_CTX_free);
  std::string signature(64, '\0');
  size_t length = signature.size();
  if (!key || EVP_DigestSignInit(ctx.get(), nullptr, nullptr, nullptr, key.get()) != 1 ||
      EVP_DigestSign(ctx.get(), reinterpret_cast<unsigned char*>(signature.data()), &length,
                     reinterpret_cast<const unsigned char*>(bytes.data()), bytes.size()) != 1)
    return {};
  signature.resize(length);
  return signature;
}

std::string Base64(std::string_view bytes) {
  std::vector<unsigned char> out(4 * ((bytes.size() + 2) / 3) + 1);
  int n = EVP_EncodeBlock(out.data(), reinterpret_cast<const unsigned char*>(bytes.data()),
                          static_cast<int>(bytes.size()));
  return std::string(reinterpret_cast<const char*>(out.data()), static_cast<size_t>(n));
}

}  // namespace testing_support
