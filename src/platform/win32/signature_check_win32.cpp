#include "platform/win32/signature_check_win32.h"

#include <windows.h>
#include <wincrypt.h>

#include "platform/signature_format.h"

namespace vantrel {

namespace {

// CALG_SHA_256: there from XP SP3 on, but the headers name it only for
// later targets than ours.
constexpr ALG_ID kSha256 = ALG_CLASS_HASH | ALG_TYPE_ANY | 12;

class Win32SignatureCheck : public SignatureCheck {
 public:
  explicit Win32SignatureCheck(const std::string& keyBlob) {
    // No provider name: the system's default for the type, which on XP SP3
    // is still called a prototype.
    if (!CryptAcquireContextA(&provider_, nullptr, nullptr, PROV_RSA_AES, CRYPT_VERIFYCONTEXT)) {
      provider_ = 0;
      return;
    }
    if (!CryptImportKey(provider_, reinterpret_cast<const BYTE*>(keyBlob.data()), static_cast<DWORD>(keyBlob.size()),
                        0, 0, &key_)) {
      key_ = 0;
      return;
    }
    if (!CryptCreateHash(provider_, kSha256, 0, 0, &hash_)) hash_ = 0;
  }

  ~Win32SignatureCheck() override {
    if (hash_ != 0) CryptDestroyHash(hash_);
    if (key_ != 0) CryptDestroyKey(key_);
    if (provider_ != 0) CryptReleaseContext(provider_, 0);
  }

  Win32SignatureCheck(const Win32SignatureCheck&) = delete;
  Win32SignatureCheck& operator=(const Win32SignatureCheck&) = delete;

  void Add(const char* bytes, std::size_t size) override {
    if (hash_ == 0 || failed_) return;
    if (!CryptHashData(hash_, reinterpret_cast<const BYTE*>(bytes), static_cast<DWORD>(size), 0)) failed_ = true;
  }

  bool Verify(const std::string& signature) override {
    if (hash_ == 0 || failed_ || signature.empty()) return false;
    const std::string reversed = CryptoApiSignature(signature);
    return CryptVerifySignatureA(hash_, reinterpret_cast<const BYTE*>(reversed.data()),
                                 static_cast<DWORD>(reversed.size()), key_, nullptr, 0) != FALSE;
  }

 private:
  HCRYPTPROV provider_ = 0;
  HCRYPTKEY key_ = 0;
  HCRYPTHASH hash_ = 0;
  bool failed_ = false;
};

}  // namespace

std::unique_ptr<SignatureCheck> Win32SignatureChecks::Start() { return std::make_unique<Win32SignatureCheck>(keyBlob_); }

}  // namespace vantrel
