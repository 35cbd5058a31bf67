#pragma once
#include <string>

// Cuts each piece out of the setup program by the payload manifest, counting
// back from the end of the file, and expands it with the system's own lz32:
// every piece must give its stand-in file byte for byte.
void check_payload_pieces(const std::wstring& setup_file, const std::wstring& standins_folder,
                          const std::wstring& scratch_folder);
