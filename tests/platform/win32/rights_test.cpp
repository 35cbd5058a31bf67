// The access rules the Windows backend gives what it makes, read from the
// very security descriptor it hands to NtCreateFile: Wine keeps no rules on
// its files, so they are proved before they are handed over, entry by entry.
#include <windows.h>

#include <vector>

#include <gtest/gtest.h>

#include "platform/win32/access_rules.h"
#include "platform/win32/security_descriptor.h"

namespace zrv::win32 {
namespace {

struct Entry {
  WELL_KNOWN_SID_TYPE trustee;
  ACCESS_MASK mask;
};

constexpr ACCESS_MASK kReadAndRun = FILE_GENERIC_READ | FILE_GENERIC_EXECUTE;  // 0x1200a9
const std::vector<Entry> kAdministratorsEntries{{WinLocalSystemSid, FILE_ALL_ACCESS},
                                                {WinBuiltinAdministratorsSid, FILE_ALL_ACCESS}};
const std::vector<Entry> kProgramFilesEntries{{WinLocalSystemSid, FILE_ALL_ACCESS},
                                              {WinBuiltinAdministratorsSid, FILE_ALL_ACCESS},
                                              {WinBuiltinUsersSid, kReadAndRun}};

bool is_sid(PSID sid, WELL_KNOWN_SID_TYPE type) {
  BYTE known[SECURITY_MAX_SID_SIZE];
  DWORD size = sizeof known;
  return CreateWellKnownSid(type, nullptr, known, &size) && EqualSid(sid, known);
}

// Checks the descriptor made for `rights`: no owner or group of its own
// (the creator's defaults apply), a DACL that takes nothing from above, and
// exactly `entries` in order, each allowing its mask to its trustee and
// passing on to files and folders inside a directory, and to nothing from a
// file.
void expect_rules(Rights rights, bool directory, const std::vector<Entry>& entries) {
  SCOPED_TRACE(std::string(rights == Rights::program_files ? "program_files" : "administrators") +
               (directory ? ", directory" : ", file"));
  char rules[sizeof kProgramFiles];
  const SecurityDescriptor descriptor(rules_of(rights, directory, rules));
  ASSERT_NE(descriptor.get(), nullptr) << "the rules do not convert: " << rules;
  PSID owner = nullptr, group = nullptr;
  BOOL defaulted = FALSE;
  ASSERT_TRUE(GetSecurityDescriptorOwner(descriptor.get(), &owner, &defaulted));
  EXPECT_EQ(owner, nullptr);
  ASSERT_TRUE(GetSecurityDescriptorGroup(descriptor.get(), &group, &defaulted));
  EXPECT_EQ(group, nullptr);
  SECURITY_DESCRIPTOR_CONTROL control = 0;
  DWORD revision = 0;
  ASSERT_TRUE(GetSecurityDescriptorControl(descriptor.get(), &control, &revision));
  EXPECT_TRUE(control & SE_DACL_PROTECTED) << "the DACL takes entries from the folder above";
  BOOL present = FALSE;
  PACL dacl = nullptr;
  ASSERT_TRUE(GetSecurityDescriptorDacl(descriptor.get(), &present, &dacl, &defaulted));
  ASSERT_TRUE(present && dacl) << "no DACL: everyone would have every right";
  ASSERT_EQ(dacl->AceCount, entries.size());
  const BYTE inheritance = directory ? OBJECT_INHERIT_ACE | CONTAINER_INHERIT_ACE : 0;
  for (WORD index = 0; index < dacl->AceCount; ++index) {
    void* ace = nullptr;
    ASSERT_TRUE(GetAce(dacl, index, &ace));
    const auto* allowed = static_cast<const ACCESS_ALLOWED_ACE*>(ace);
    EXPECT_EQ(allowed->Header.AceType, ACCESS_ALLOWED_ACE_TYPE) << "entry " << index;
    EXPECT_EQ(allowed->Header.AceFlags, inheritance) << "entry " << index;
    EXPECT_EQ(allowed->Mask, entries[index].mask) << "entry " << index;
    EXPECT_TRUE(is_sid(const_cast<DWORD*>(&allowed->SidStart), entries[index].trustee)) << "entry " << index;
  }
}

TEST(ContractRights, EachRightsValueGivesItsEntries) {
  char rules[sizeof kProgramFiles];
  EXPECT_EQ(rules_of(Rights::inherited, true, rules), nullptr) << "inherited rights come from the parent";
  EXPECT_EQ(rules_of(Rights::inherited, false, rules), nullptr);
  for (const bool directory : {true, false}) {
    expect_rules(Rights::administrators, directory, kAdministratorsEntries);
    expect_rules(Rights::program_files, directory, kProgramFilesEntries);
  }
}

}  // namespace
}  // namespace zrv::win32
