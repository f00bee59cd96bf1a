#pragma once
// The byte layouts CryptoAPI wants for the update signature's key and the
// signature itself. openssl writes numbers big-endian; CryptoAPI reads them
// little-endian: this is the one place that turns them around.

#include <cstdint>
#include <string>
#include <string_view>

namespace vantrel {

// A PUBLICKEYBLOB for CryptImportKey: BLOBHEADER (PUBLICKEYBLOB, version 2,
// CALG_RSA_SIGN), RSAPUBKEY ("RSA1", bit length, exponent), then the
// modulus little-endian. modulus: big-endian, leading zero bytes allowed.
std::string RsaPublicKeyBlob(std::string_view modulus, std::uint32_t exponent);

// A signature as openssl writes it, in the order CryptVerifySignature reads.
std::string CryptoApiSignature(std::string_view opensslSignature);

}  // namespace vantrel
