// A fresh registry tree per test: HKEY_LOCAL_MACHINE is redirected to a new
// key under HKEY_CURRENT_USER for the life of the fixture, so the tests never
// touch the machine's own keys and need no administrator rights.
#ifndef QUILLET_TESTS_REGISTRY_SANDBOX_H
#define QUILLET_TESTS_REGISTRY_SANDBOX_H

#include <gtest/gtest.h>
#include <windows.h>

#include <string>
#include <vector>

class RegistrySandbox : public testing::Test {
  protected:
    void SetUp() override;
    void TearDown() override;

    // Creates path (relative to the redirected HKEY_LOCAL_MACHINE).
    void makeKey(const std::string& path);
    // shell\<name>\command with the given default value.
    void makeEntry(const std::string& name, const std::string& command);
    // shell\<name>\command with the given default value, written by a
    // second process (reg.exe), as another program would while ours runs.
    void makeEntryFromAnotherProcess(const std::string& name, const std::string& command);
    // shell\<name> without a "command" subkey.
    void makeVerb(const std::string& name);
    void setStringValue(const std::string& path, const char* valueName, const std::string& data);
    // Gives the key an empty DACL: nobody can open it until TearDown.
    void lockKey(const std::string& path);
    // A registry link whose target does not exist: listed, but not openable.
    void makeDanglingLink(const std::string& path);
    // A registry link at path to the key target, both relative to the
    // redirected HKEY_LOCAL_MACHINE.
    void makeLink(const std::string& path, const std::string& target);
    // The sandbox path of path, as another process sees it under
    // HKEY_CURRENT_USER.
    std::string userPath(const std::string& path) const;

    // The sandbox key that stands in for HKEY_LOCAL_MACHINE.
    HKEY root = NULL;

  private:
    void linkTo(const std::string& path, const std::wstring& target);

    std::string sandboxName_;
    std::vector<std::string> locked_;
    std::vector<std::string> links_;
};

const char* const TEST_SHELL = "SOFTWARE\\Classes\\*\\shell";

std::string shellPath(const std::string& verb);
bool keyExists(const std::string& path);
// The value's data when it is a REG_SZ whose size counts its NUL; otherwise
// a text that says what was found instead.
std::string stringValue(const std::string& path, const char* valueName);
// The default value of path read with the wide calls, so that no code page
// stands between the registry and the test.
std::wstring wideDefaultValue(const std::wstring& path);
// Every key and value beneath path, one line each, in enumeration order.
std::string dumpTree(const std::string& path);
// The entry names the store lists, in order.
std::vector<std::string> listedNames();
// The number of handles the process has open, registry keys included.
int openHandleCount();
// text, times times over: long names in characters of several bytes.
std::string repeat(const std::string& text, int times);

#endif
