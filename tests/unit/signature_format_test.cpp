#include "platform/signature_format.h"

#include <gtest/gtest.h>

#include <string>

namespace vantrel {
namespace {

TEST(SignatureFormatTest, TheKeyBlobHasTheHeadersThenTheModulusLittleEndian) {
  // openssl prints a leading zero byte when the top bit is set.
  const std::string modulus("\x00\xC1\x02\x03\x04", 5);
  const std::string blob = RsaPublicKeyBlob(modulus, 65537);
  const std::string expected(
      "\x06\x02\x00\x00"   // PUBLICKEYBLOB, version 2, reserved
      "\x00\x24\x00\x00"   // CALG_RSA_SIGN
      "RSA1"               // magic
      "\x20\x00\x00\x00"   // 32 bits
      "\x01\x00\x01\x00"   // exponent 65537
      "\x04\x03\x02\xC1",  // the modulus, least significant byte first
      24);
  EXPECT_EQ(blob, expected);
}

TEST(SignatureFormatTest, A2048BitKeyHas256BytesOfModulus) {
  const std::string modulus = std::string(1, '\0') + std::string(256, '\xAB');
  const std::string blob = RsaPublicKeyBlob(modulus, 3);
  ASSERT_EQ(blob.size(), 20u + 256u);
  EXPECT_EQ(blob.substr(12, 4), std::string("\x00\x08\x00\x00", 4));
  EXPECT_EQ(blob.substr(16, 4), std::string("\x03\x00\x00\x00", 4));
}

TEST(SignatureFormatTest, TheSignatureIsTurnedAround) {
  EXPECT_EQ(CryptoApiSignature(std::string("\x01\x02\x03\xFF", 4)), std::string("\xFF\x03\x02\x01", 4));
  EXPECT_EQ(CryptoApiSignature(""), "");
}

}  // namespace
}  // namespace vantrel
