// AES-256-CBC with PKCS #7 padding and random numbers from OpenSSL, for native builds.
#include <openssl/evp.h>
#include <openssl/rand.h>

#include <algorithm>
#include <array>
#include <cstring>
#include <mutex>

#include "platform/Crypto.h"

namespace {
class TOpensslCrypto : public ICrypto {
public:
    // Fetched once: looking the algorithm up by name on every request costs more than the cipher.
    TOpensslCrypto() : m_Cipher(EVP_CIPHER_fetch(nullptr, "AES-256-CBC", nullptr)) {}
    ~TOpensslCrypto() override { EVP_CIPHER_free(m_Cipher); }
    TOpensslCrypto(const TOpensslCrypto&) = delete;
    TOpensslCrypto& operator=(const TOpensslCrypto&) = delete;

    bool Available() override { return m_Cipher != nullptr; }
    // Every channel request draws a fresh salt and IV; taking them from a pool filled a kilobyte at a
    // time spares the generator's per-call set-up, which costs more than the bytes.
    bool Random(uint8_t* bytes, size_t size) override {
        std::lock_guard<std::mutex> lock(m_PoolLock);
        while (size > 0) {
            if (m_PoolUsed == m_Pool.size()) {
                if (RAND_bytes(m_Pool.data(), static_cast<int>(m_Pool.size())) != 1) return false;
                m_PoolUsed = 0;
            }
            const size_t take = std::min(size, m_Pool.size() - m_PoolUsed);
            std::memcpy(bytes, m_Pool.data() + m_PoolUsed, take);
            std::fill_n(m_Pool.data() + m_PoolUsed, take, 0);  // handed-out bytes do not stay behind
            m_PoolUsed += take;
            bytes += take;
            size -= take;
        }
        return true;
    }
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
    bool Run(bool encrypt, const uint8_t key[32], const uint8_t* iv, size_t ivSize, const uint8_t* in, size_t inSize,
             std::vector<uint8_t>& out) {
        out.clear();
        if (ivSize != 16 || !m_Cipher) return false;
        EVP_CIPHER_CTX* ctx = EVP_CIPHER_CTX_new();
        if (!ctx) return false;
        out.resize(inSize + 16);
        int length = 0;
        int final = 0;
        bool ok = EVP_CipherInit_ex2(ctx, m_Cipher, key, iv, encrypt ? 1 : 0, nullptr) == 1 &&
                  EVP_CipherUpdate(ctx, out.data(), &length, in, static_cast<int>(inSize)) == 1 &&
                  EVP_CipherFinal_ex(ctx, out.data() + length, &final) == 1;
        EVP_CIPHER_CTX_free(ctx);
        out.resize(ok ? static_cast<size_t>(length + final) : 0);
        return ok;
    }

    EVP_CIPHER* m_Cipher;
    std::mutex m_PoolLock;
    std::array<uint8_t, 1024> m_Pool{};
    size_t m_PoolUsed = m_Pool.size();
};
}  // namespace

std::unique_ptr<ICrypto> MakeHostCrypto() { return std::make_unique<TOpensslCrypto>(); }
