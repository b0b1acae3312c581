#include "registry_sandbox.h"

#include "built_programs.h"
#include "entries/entry_store.h"

#include <aclapi.h>
#include <sddl.h>
#include <stdio.h>

static const char SANDBOX_PARENT[] = "Software\\QuilletTests";

void RegistrySandbox::SetUp() {
    static int serial;
    char name[64];
    snprintf(name, sizeof name, "%lu-%d", GetCurrentProcessId(), ++serial);
    sandboxName_ = std::string(SANDBOX_PARENT) + "\\" + name;
    RegDeleteTreeA(HKEY_CURRENT_USER, sandboxName_.c_str());
    ASSERT_EQ(0, RegCreateKeyExA(HKEY_CURRENT_USER, sandboxName_.c_str(), 0, NULL, 0,
                                 KEY_ALL_ACCESS, NULL, &root, NULL));
    ASSERT_EQ(0, RegOverridePredefKey(HKEY_LOCAL_MACHINE, root));
}

static void unlockKey(HKEY root, const std::string& path) {
    HKEY key;
    if (RegOpenKeyExA(root, path.c_str(), 0, WRITE_DAC, &key) != 0) {
        return;
    }
    SECURITY_DESCRIPTOR sd;
    InitializeSecurityDescriptor(&sd, SECURITY_DESCRIPTOR_REVISION);
    SetSecurityDescriptorDacl(&sd, TRUE, NULL, FALSE); // a null DACL admits everyone
    RegSetKeySecurity(key, DACL_SECURITY_INFORMATION, &sd);
    RegCloseKey(key);
}

typedef LONG(WINAPI* NtDeleteKeyFn)(HANDLE);

// A link is deleted through a handle to the link itself; RegDeleteKey would
// follow it to its (missing) target.
static void deleteLink(HKEY root, const std::string& path) {
    HKEY link;
    if (RegOpenKeyExA(root, path.c_str(), REG_OPTION_OPEN_LINK, DELETE, &link) != 0) {
        return;
    }
    NtDeleteKeyFn ntDeleteKey =
        (NtDeleteKeyFn)(void*)GetProcAddress(GetModuleHandleA("ntdll.dll"), "NtDeleteKey");
    if (ntDeleteKey != NULL) {
        ntDeleteKey(link);
    }
    RegCloseKey(link);
}

void RegistrySandbox::TearDown() {
    RegOverridePredefKey(HKEY_LOCAL_MACHINE, NULL);
    for (size_t i = 0; i < locked_.size(); ++i) {
        unlockKey(root, locked_[i]);
    }
    for (size_t i = 0; i < links_.size(); ++i) {
        deleteLink(root, links_[i]);
    }
    RegCloseKey(root);
    EXPECT_EQ(0, RegDeleteTreeA(HKEY_CURRENT_USER, sandboxName_.c_str()));
    RegDeleteKeyA(HKEY_CURRENT_USER, SANDBOX_PARENT); // only when no other sandbox is left
}

void RegistrySandbox::makeKey(const std::string& path) {
    HKEY key;
    ASSERT_EQ(0, RegCreateKeyExA(root, path.c_str(), 0, NULL, 0, KEY_ALL_ACCESS, NULL, &key, NULL))
        << path;
    RegCloseKey(key);
}

void RegistrySandbox::setStringValue(const std::string& path, const char* valueName,
                                     const std::string& data) {
    HKEY key;
    ASSERT_EQ(0, RegCreateKeyExA(root, path.c_str(), 0, NULL, 0, KEY_ALL_ACCESS, NULL, &key, NULL))
        << path;
    EXPECT_EQ(0, RegSetValueExA(key, valueName, 0, REG_SZ, (const BYTE*)data.c_str(),
                                (DWORD)data.size() + 1));
    RegCloseKey(key);
}

void RegistrySandbox::makeEntry(const std::string& name, const std::string& command) {
    setStringValue(shellPath(name) + "\\command", NULL, command);
}

void RegistrySandbox::makeVerb(const std::string& name) {
    makeKey(shellPath(name));
}

void RegistrySandbox::lockKey(const std::string& path) {
    makeKey(path);
    HKEY key;
    ASSERT_EQ(0, RegOpenKeyExA(root, path.c_str(), 0, WRITE_DAC, &key));
    BYTE aclBuffer[64];
    PACL acl = (PACL)aclBuffer;
    ASSERT_TRUE(InitializeAcl(acl, sizeof aclBuffer, ACL_REVISION));
    SECURITY_DESCRIPTOR sd;
    InitializeSecurityDescriptor(&sd, SECURITY_DESCRIPTOR_REVISION);
    SetSecurityDescriptorDacl(&sd, TRUE, acl, FALSE);
    EXPECT_EQ(0, RegSetKeySecurity(key, DACL_SECURITY_INFORMATION, &sd));
    RegCloseKey(key);
    locked_.push_back(path);
    HKEY probe;
    ASSERT_EQ(ERROR_ACCESS_DENIED, RegOpenKeyExA(root, path.c_str(), 0, KEY_READ, &probe));
}

void RegistrySandbox::linkTo(const std::string& path, const std::wstring& target) {
    HKEY link;
    ASSERT_EQ(0, RegCreateKeyExA(root, path.c_str(), 0, NULL, REG_OPTION_CREATE_LINK,
                                 KEY_ALL_ACCESS | KEY_CREATE_LINK, NULL, &link, NULL));
    EXPECT_EQ(0, RegSetValueExW(link, L"SymbolicLinkValue", 0, REG_LINK,
                                (const BYTE*)target.c_str(), DWORD(target.size() * sizeof(WCHAR))));
    RegCloseKey(link);
    links_.push_back(path);
}

void RegistrySandbox::makeDanglingLink(const std::string& path) {
    linkTo(path, L"\\Registry\\User\\QuilletNowhere");
    HKEY probe;
    ASSERT_NE(0, RegOpenKeyExA(root, path.c_str(), 0, KEY_READ, &probe));
}

// A link's target is a kernel path: \Registry\User\<user's SID>\... for a
// key under HKEY_CURRENT_USER.
void RegistrySandbox::makeLink(const std::string& path, const std::string& target) {
    HANDLE token;
    ASSERT_TRUE(OpenProcessToken(GetCurrentProcess(), TOKEN_QUERY, &token));
    BYTE buffer[256];
    DWORD size = 0;
    BOOL queried = GetTokenInformation(token, TokenUser, buffer, sizeof buffer, &size);
    CloseHandle(token);
    ASSERT_TRUE(queried);
    char* sid = NULL;
    ASSERT_TRUE(ConvertSidToStringSidA(((TOKEN_USER*)buffer)->User.Sid, &sid));
    std::string full = std::string("\\Registry\\User\\") + sid + "\\" + userPath(target);
    LocalFree(sid);
    linkTo(path, std::wstring(full.begin(), full.end()));
    HKEY probe;
    ASSERT_EQ(0, RegOpenKeyExA(root, path.c_str(), 0, KEY_READ, &probe)) << "link to " << full;
    RegCloseKey(probe);
}

std::string RegistrySandbox::userPath(const std::string& path) const {
    return sandboxName_ + "\\" + path;
}

void RegistrySandbox::makeEntryFromAnotherProcess(const std::string& name,
                                                  const std::string& command) {
    std::string data;
    for (char c : command) {
        data += c == '"' ? "\\\"" : std::string(1, c);
    }
    std::string line = "reg.exe add \"HKCU\\" + userPath(shellPath(name) + "\\command") +
                       "\" /ve /d \"" + data + "\" /f";
    ASSERT_TRUE(runToEnd(line)) << line;
}

std::string shellPath(const std::string& verb) {
    return std::string(TEST_SHELL) + "\\" + verb;
}

bool keyExists(const std::string& path) {
    HKEY key;
    if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, path.c_str(), 0, KEY_READ, &key) != 0) {
        return false;
    }
    RegCloseKey(key);
    return true;
}

std::string stringValue(const std::string& path, const char* valueName) {
    HKEY key;
    if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, path.c_str(), 0, KEY_READ, &key) != 0) {
        return "<no key>";
    }
    char data[2048];
    memset(data, 0x55, sizeof data);
    DWORD type = 0xdeadbeef;
    DWORD size = sizeof data;
    LONG status = RegQueryValueExA(key, valueName, NULL, &type, (BYTE*)data, &size);
    RegCloseKey(key);
    if (status != 0) {
        return "<no value>";
    }
    if (type != REG_SZ) {
        return "<type " + std::to_string(type) + ">";
    }
    if (size == 0 || data[size - 1] != '\0' || strlen(data) + 1 != size) {
        return "<size " + std::to_string(size) + ">";
    }
    return data;
}

std::wstring wideDefaultValue(const std::wstring& path) {
    HKEY key;
    if (RegOpenKeyExW(HKEY_LOCAL_MACHINE, path.c_str(), 0, KEY_READ, &key) != 0) {
        return L"<no key>";
    }
    WCHAR data[600] = L"";
    DWORD size = sizeof data - sizeof(WCHAR);
    LONG status = RegQueryValueExW(key, NULL, NULL, NULL, (BYTE*)data, &size);
    RegCloseKey(key);
    return status == 0 ? data : L"<no value>";
}

static void dumpKey(HKEY key, const std::string& path, std::string& out) {
    char name[300];
    BYTE data[2048];
    for (DWORD i = 0;; ++i) {
        DWORD nameLength = sizeof name;
        DWORD dataLength = sizeof data;
        DWORD type;
        if (RegEnumValueA(key, i, name, &nameLength, NULL, &type, data, &dataLength) != 0) {
            break;
        }
        out += path + " [" + name + "] " + std::to_string(type) + ":" +
               std::string((const char*)data, dataLength) + "\n";
    }
    for (DWORD i = 0;; ++i) {
        DWORD nameLength = sizeof name;
        if (RegEnumKeyExA(key, i, name, &nameLength, NULL, NULL, NULL, NULL) != 0) {
            break;
        }
        std::string child = path + "\\" + name;
        out += child + "\n";
        HKEY sub;
        if (RegOpenKeyExA(key, name, 0, KEY_READ, &sub) == 0) {
            dumpKey(sub, child, out);
            RegCloseKey(sub);
        } else {
            out += child + " <unopenable>\n";
        }
    }
}

std::string dumpTree(const std::string& path) {
    HKEY key;
    if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, path.c_str(), 0, KEY_READ, &key) != 0) {
        return "<no key>";
    }
    std::string out;
    dumpKey(key, path, out);
    RegCloseKey(key);
    return out;
}

static void collectName(const char* name, void* context) {
    static_cast<std::vector<std::string>*>(context)->push_back(name);
}

std::vector<std::string> listedNames() {
    std::vector<std::string> names;
    listEntries(collectName, &names);
    return names;
}

// GetProcessHandleCount is always 0 under Wine, so every handle value is
// tried; a leak anywhere in the table counts, not only in its lowest slot.
int openHandleCount() {
    int count = 0;
    for (ULONG_PTR value = 4; value < 0x10000; value += 4) {
        DWORD flags;
        if (GetHandleInformation((HANDLE)value, &flags)) {
            ++count;
        }
    }
    return count;
}

std::string repeat(const std::string& text, int times) {
    std::string result;
    for (int i = 0; i < times; ++i) {
        result += text;
    }
    return result;
}
