#pragma once
#include <string>

#include "platform/signature_check.h"

namespace vantrel {

// Signature checks over CryptoAPI (the RSA and AES provider, SHA-256):
// Windows XP SP3 and later. keyBlob: the public key as a PUBLICKEYBLOB.
class Win32SignatureChecks : public SignatureChecks {
 public:
  explicit Win32SignatureChecks(std::string keyBlob) : keyBlob_(std::move(keyBlob)) {}
  std::unique_ptr<SignatureCheck> Start() override;

 private:
  std::string keyBlob_;
};

}  // namespace vantrel
