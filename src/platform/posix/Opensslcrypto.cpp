// AES-256-CBC with PKCS #7 padding and random numbers from OpenSSL, for native builds.
#include <openssl/evp.h>
#include <openssl/rand.h>

#include "platform/Crypto.h"

namespace {
class TOpensslCrypto : public ICrypto {
public:
    bool Available() override { return true; }
    bool Random(uint8_t* bytes, size_t size) override { return RAND_bytes(bytes, static_cast<int>(size)) == 1; }
    size_t BlockLength() override { return 16; }
    bool Encrypt(const uint8_t key[32], const uint8_t* iv, size_t ivSize, const uint8_t* plain, size_t plainSize,
                 std::vector<uint8_t>& cipher) override {
        return Run(true, key, iv, ivSize, plain, plainSize, cipher);
    }
    bool Decrypt(const uint8_t key[32], const uint8_t* iv, size_t ivSize, const uint8_t* cipher, size_t cipherSize,
                 std::vector<uint8_t>& plain) override {
        return Run(false, key, iv, ivSize, cipher, cipherSize, plain);
    }

private:
    static bool Run(bool encrypt, const uint8_t key[32], const uint8_t* iv, size_t ivSize, const uint8_t* in,
                    size_t inSize, std::vector<uint8_t>& out) {
        out.clear();
        if (ivSize != 16) return false;
        EVP_CIPHER_CTX* ctx = EVP_CIPHER_CTX_new();
        if (!ctx) return false;
        out.resize(inSize + 16);
        int length = 0;
        int final = 0;
        bool ok = EVP_CipherInit_ex(ctx, EVP_aes_256_cbc(), nullptr, key, iv, encrypt ? 1 : 0) == 1 &&
                  EVP_CipherUpdate(ctx, out.data(), &length, in, static_cast<int>(inSize)) == 1 &&
                  EVP_CipherFinal_ex(ctx, out.data() + length, &final) == 1;
        EVP_CIPHER_CTX_free(ctx);
        out.resize(ok ? static_cast<size_t>(length + final) : 0);
        return ok;
    }
};
}  // namespace

std::unique_ptr<ICrypto> MakeHostCrypto() { return std::make_unique<TOpensslCrypto>(); }
