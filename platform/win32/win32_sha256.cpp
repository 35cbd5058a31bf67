// SHA-256 by the system's CryptoAPI: advapi32 is imported anyway, and its
// provider computes the digest the setup checks its pieces with.
#include <windows.h>
#include <wincrypt.h>

#include "platform/win32/win32_file_system.h"

namespace zrv::win32 {

std::size_t Win32FileSystem::sha256_each(std::span<const std::span<const std::uint8_t>> runs, std::uint8_t* digests) {
  // One provider for the whole request: acquiring one loads the provider's
  // libraries, and releasing the last unloads them again.
  HCRYPTPROV provider = 0;
  // No key container: only hashing is asked for.
  if (!CryptAcquireContextW(&provider, nullptr, nullptr, PROV_RSA_AES, CRYPT_VERIFYCONTEXT | CRYPT_SILENT)) return 0;
  std::size_t made = 0;
  for (const auto& run : runs) {
    HCRYPTHASH hash;
    if (!CryptCreateHash(provider, CALG_SHA_256, 0, 0, &hash)) break;
    DWORD size = kSha256Size;
    const bool good = CryptHashData(hash, run.data(), static_cast<DWORD>(run.size()), 0) &&
                      CryptGetHashParam(hash, HP_HASHVAL, digests + kSha256Size * made, &size, 0) && size == kSha256Size;
    CryptDestroyHash(hash);
    if (!good) break;
    ++made;
  }
  CryptReleaseContext(provider, 0);
  return made;
}

}  // namespace zrv::win32
