#include "platform/signature_format.h"

namespace vantrel {

namespace {

constexpr unsigned char kPublicKeyBlob = 0x06;
constexpr unsigned char kBlobVersion = 0x02;
constexpr std::uint32_t kCalgRsaSign = 0x00002400;
constexpr std::uint32_t kRsa1Magic = 0x31415352;  // "RSA1"

void AppendLittleEndian(std::string& out, std::uint32_t value) {
  for (int i = 0; i < 4; ++i) out.push_back(static_cast<char>((value >> (8 * i)) & 0xFF));
}

}  // namespace

std::string RsaPublicKeyBlob(std::string_view modulus, std::uint32_t exponent) {
  while (!modulus.empty() && modulus.front() == '\0') modulus.remove_prefix(1);
  std::string blob;
  blob.push_back(static_cast<char>(kPublicKeyBlob));
  blob.push_back(static_cast<char>(kBlobVersion));
  blob.append(2, '\0');
  AppendLittleEndian(blob, kCalgRsaSign);
  AppendLittleEndian(blob, kRsa1Magic);
  AppendLittleEndian(blob, static_cast<std::uint32_t>(modulus.size() * 8));
  AppendLittleEndian(blob, exponent);
  blob.append(modulus.rbegin(), modulus.rend());
  return blob;
}

std::string CryptoApiSignature(std::string_view opensslSignature) {
  return std::string(opensslSignature.rbegin(), opensslSignature.rend());
}

}  // namespace vantrel
