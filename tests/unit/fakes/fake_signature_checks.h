#pragma once
#include <memory>
#include <string>

#include "platform/signature_check.h"

namespace vantrel::testing {

// Accepts exactly one signature of exactly one byte string.
class FakeSignatureChecks : public SignatureChecks {
 public:
  std::unique_ptr<SignatureCheck> Start() override {
    ++started;
    return std::make_unique<Check>(*this);
  }

  std::string signedBytes;
  std::string signature = "the maker's signature";
  int started = 0;
  std::string lastChecked;  // the bytes of the last Verify
  int verifications = 0;

 private:
  class Check : public SignatureCheck {
   public:
    explicit Check(FakeSignatureChecks& owner) : owner_(owner) {}
    void Add(const char* bytes, std::size_t size) override { added_.append(bytes, size); }
    bool Verify(const std::string& signature) override {
      ++owner_.verifications;
      owner_.lastChecked = added_;
      return signature == owner_.signature && added_ == owner_.signedBytes;
    }

   private:
    FakeSignatureChecks& owner_;
    std::string added_;
  };
};

}  // namespace vantrel::testing
