#pragma once
// Ed25519 keys and signatures for the updater's tests, made with libcrypto
// as the release script makes them with the openssl command.
#include <string>
#include <string_view>

namespace testing_support {

struct TestKeyPair {
  std::string privatePem;
  std::string publicPem;
};

// A fresh key pair.
TestKeyPair MakeTestKeyPair();

// The 64-byte signature of `bytes` by the private key.
std::string SignBytes(std::string_view privatePem, std::string_view bytes);

// Base64 on one line, as the ".sig" file holds it (without a line end).
std::string Base64(std::string_view bytes);

}  // namespace testing_support
