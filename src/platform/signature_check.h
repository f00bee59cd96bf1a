#pragma once
// The crypto port: checks a detached signature (RSA PKCS#1 v1.5 over the
// SHA-256 of some bytes) with the public key built into the program.

#include <cstddef>
#include <memory>
#include <string>

namespace vantrel {

// One check: the signed bytes go in piece by piece, then the signature.
class SignatureCheck {
 public:
  virtual ~SignatureCheck() = default;
  virtual void Add(const char* bytes, std::size_t size) = 0;
  // signature as openssl writes it (big-endian). False when it is not the
  // built-in key's signature of exactly the bytes added, or when the check
  // cannot be made at all.
  virtual bool Verify(const std::string& signature) = 0;
};

class SignatureChecks {
 public:
  virtual ~SignatureChecks() = default;
  virtual std::unique_ptr<SignatureCheck> Start() = 0;
};

}  // namespace vantrel
