// SHA-256 by the system's CryptoAPI: advapi32 is imported anyway, and its
// provider computes the digest the setup checks its pieces with.
#include <windows.h>
#include <wincrypt.h>

#include "platform/win32/win32_file_system.h"

namespace zrv::win32 {

std::optional<Sha256Digest> Win32FileSystem::sha256_of(std::span<const std::uint8_t> bytes) {
  HCRYPTPROV provider = 0;
  // No key container: only hashing is asked for.
  if (!CryptAcquireContextW(&provider, nullptr, nullptr, PROV_RSA_AES, CRYPT_VERIFYCONTEXT | CRYPT_SILENT)) {
    return std::nullopt;
  }
  HCRYPTHASH hash = 0;
  Sha256Digest digest{};
  DWORD size = digest.size();
  const bool made = CryptCreateHash(provider, CALG_SHA_256, 0, 0, &hash) &&
                    CryptHashData(hash, bytes.data(), static_cast<DWORD>(bytes.size()), 0) &&
                    CryptGetHashParam(hash, HP_HASHVAL, digest.data(), &size, 0) && size == digest.size();
  if (hash) CryptDestroyHash(hash);
  CryptReleaseContext(provider, 0);
  if (!made) return std::nullopt;
  return digest;
}

}  // namespace zrv::win32
