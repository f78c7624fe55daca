#include "platform/win32/Cryptmodule.h"

#include <windows.h>
#include <bcrypt.h>

#include <cstring>

#include "platform/win32/Systemdll.h"

namespace {
using TGenerateSymmetricKey = NTSTATUS(WINAPI*)(BCRYPT_ALG_HANDLE, BCRYPT_KEY_HANDLE*, PUCHAR, ULONG, PUCHAR, ULONG,
                                                ULONG);
using TSetProperty = NTSTATUS(WINAPI*)(BCRYPT_HANDLE, LPCWSTR, PUCHAR, ULONG, ULONG);
using TGetProperty = NTSTATUS(WINAPI*)(BCRYPT_HANDLE, LPCWSTR, PUCHAR, ULONG, ULONG*, ULONG);
using TCrypt = NTSTATUS(WINAPI*)(BCRYPT_KEY_HANDLE, PUCHAR, ULONG, VOID*, PUCHAR, ULONG, PUCHAR, ULONG, ULONG*, ULONG);
using TDestroyKey = NTSTATUS(WINAPI*)(BCRYPT_KEY_HANDLE);
using TOpenAlgorithmProvider = NTSTATUS(WINAPI*)(BCRYPT_ALG_HANDLE*, LPCWSTR, LPCWSTR, ULONG);
using TGenRandom = NTSTATUS(WINAPI*)(BCRYPT_ALG_HANDLE, PUCHAR, ULONG, ULONG);
using TCloseAlgorithmProvider = NTSTATUS(WINAPI*)(BCRYPT_ALG_HANDLE, ULONG);

bool Succeeded(NTSTATUS status) { return status >= 0; }
}  // namespace

struct TCryptography::TEntryPoints {
    TGenerateSymmetricKey GenerateSymmetricKey;
    TSetProperty SetProperty;
    TGetProperty GetProperty;
    TCrypt Encrypt;
    TDestroyKey DestroyKey;
    TCrypt Decrypt;
    TOpenAlgorithmProvider OpenAlgorithmProvider;
    TGenRandom GenRandom;
    TCloseAlgorithmProvider CloseAlgorithmProvider;
};

TCryptography::TCryptography() {
    // The program runs elevated: the library comes from the system folder, never from beside it.
    HMODULE module = SystemLibrary(L"Bcrypt.dll");
    if (!module) return;
    m_Module = module;
    auto find = [module](const char* name) { return reinterpret_cast<void*>(GetProcAddress(module, name)); };
    m_Api = std::make_unique<TEntryPoints>(TEntryPoints{
        reinterpret_cast<TGenerateSymmetricKey>(find("BCryptGenerateSymmetricKey")),
        reinterpret_cast<TSetProperty>(find("BCryptSetProperty")),
        reinterpret_cast<TGetProperty>(find("BCryptGetProperty")),
        reinterpret_cast<TCrypt>(find("BCryptEncrypt")),
        reinterpret_cast<TDestroyKey>(find("BCryptDestroyKey")),
        reinterpret_cast<TCrypt>(find("BCryptDecrypt")),
        reinterpret_cast<TOpenAlgorithmProvider>(find("BCryptOpenAlgorithmProvider")),
        reinterpret_cast<TGenRandom>(find("BCryptGenRandom")),
        reinterpret_cast<TCloseAlgorithmProvider>(find("BCryptCloseAlgorithmProvider")),
    });
    BCRYPT_ALG_HANDLE algorithm = nullptr;
    if (m_Api->OpenAlgorithmProvider && Succeeded(m_Api->OpenAlgorithmProvider(&algorithm, L"AES", nullptr, 0))) {
        m_Algorithm = algorithm;
    }
}

TCryptography::~TCryptography() {
    if (m_Algorithm && m_Api->CloseAlgorithmProvider) m_Api->CloseAlgorithmProvider(m_Algorithm, 0);
    if (m_Module) FreeLibrary(static_cast<HMODULE>(m_Module));
}

bool TCryptography::Available() {
    return m_Api && m_Algorithm && m_Api->GenerateSymmetricKey && m_Api->GetProperty && m_Api->Encrypt &&
           m_Api->DestroyKey && m_Api->GenRandom;
}

bool TCryptography::Random(uint8_t* bytes, size_t size) {
    return m_Api && m_Api->GenRandom &&
           Succeeded(m_Api->GenRandom(nullptr, bytes, static_cast<ULONG>(size), BCRYPT_USE_SYSTEM_PREFERRED_RNG));
}

size_t TCryptography::BlockLength() {
    if (!Available()) return 0;
    ULONG length = 0;
    ULONG got = 0;
    if (!Succeeded(m_Api->GetProperty(m_Algorithm, L"BlockLength", reinterpret_cast<PUCHAR>(&length), sizeof(length),
                                      &got, 0))) {
        return 0;
    }
    return length;
}

bool TCryptography::Run(bool encrypt, const uint8_t key[32], const uint8_t* iv, size_t ivSize, const uint8_t* in,
                        size_t inSize, std::vector<uint8_t>& out) {
    out.clear();
    if (!Available() || (!encrypt && !m_Api->Decrypt)) return false;
    BCRYPT_KEY_HANDLE handle = nullptr;
    uint8_t keyBytes[32];
    std::memcpy(keyBytes, key, sizeof(keyBytes));
    bool ok = Succeeded(m_Api->GenerateSymmetricKey(m_Algorithm, &handle, nullptr, 0, keyBytes, 32, 0));
    std::memset(keyBytes, 0, sizeof(keyBytes));
    if (!ok) return false;
    TCrypt crypt = encrypt ? m_Api->Encrypt : m_Api->Decrypt;
    // Each call updates the IV it is given, so each gets a fresh copy.
    std::vector<uint8_t> ivCopy(iv, iv + ivSize);
    std::vector<uint8_t> input(in, in + inSize);
    ULONG size = 0;
    ok = Succeeded(crypt(handle, input.data(), static_cast<ULONG>(input.size()), nullptr, ivCopy.data(),
                         static_cast<ULONG>(ivCopy.size()), nullptr, 0, &size, BCRYPT_BLOCK_PADDING));
    if (ok) {
        out.resize(size);
        ivCopy.assign(iv, iv + ivSize);
        ok = Succeeded(crypt(handle, input.data(), static_cast<ULONG>(input.size()), nullptr, ivCopy.data(),
                             static_cast<ULONG>(ivCopy.size()), out.data(), size, &size, BCRYPT_BLOCK_PADDING));
        out.resize(ok ? size : 0);
    }
    m_Api->DestroyKey(handle);
    return ok;
}

bool TCryptography::Encrypt(const uint8_t key[32], const uint8_t* iv, size_t ivSize, const uint8_t* plain,
                            size_t plainSize, std::vector<uint8_t>& cipher) {
    return Run(true, key, iv, ivSize, plain, plainSize, cipher);
}

bool TCryptography::Decrypt(const uint8_t key[32], const uint8_t* iv, size_t ivSize, const uint8_t* cipher,
                            size_t cipherSize, std::vector<uint8_t>& plain) {
    return Run(false, key, iv, ivSize, cipher, cipherSize, plain);
}

std::unique_ptr<ICrypto> MakeHostCrypto() { return std::make_unique<TCryptography>(); }
