// The contract program plays other programs too: copied under another name
// and started by a test, it is a probe that leaves a mark where it was
// started, or a worker that keeps a file open and a folder in use until it
// is ended.
#pragma once
#include <string>

namespace zrv::win32 {

inline constexpr char kProbeName[] = "started probe.exe";
inline constexpr char kProbeMark[] = "probe-was-here.txt";
inline constexpr char kWorkerName[] = "working probe.exe";
inline constexpr wchar_t kWorkerReady[] = L"Local\\zplatform-contract-worker-ready";
// The file beside the worker's program that the worker keeps open.
inline constexpr char kWorkerFile[] = "Kemra.wav";

// What the command line named after GoogleTest's own options: the setup
// program and the folder of its stand-in files, or nothing.
struct PayloadArguments {
  std::wstring setup_file;
  std::wstring standins_folder;
};
const PayloadArguments& payload_arguments();

}  // namespace zrv::win32
