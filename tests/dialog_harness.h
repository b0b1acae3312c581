// Drives the real dialog in the test process the way a user's actions do,
// over a registry sandbox, and catches the message boxes it opens.
#ifndef QUILLET_TESTS_DIALOG_HARNESS_H
#define QUILLET_TESTS_DIALOG_HARNESS_H

#include "registry_sandbox.h"

#include <string>
#include <vector>

struct MessageBoxSeen {
    std::string caption;
    std::string text;
    HWND owner;
    bool dialogEnabled; // whether the dialog under test took input while the box was up
    HICON icon;
};

class DialogTest : public RegistrySandbox {
  protected:
    void SetUp() override;
    void TearDown() override;

    // Creates the dialog as the program would start it with appPath on its
    // command line.
    void open(const char* appPath = "");
    void close();

    HWND control(int id) const { return GetDlgItem(dialog, id); }
    HWND itemEdit() const;
    std::string text(int id) const;
    bool enabled(int id) const { return IsWindowEnabled(control(id)) != FALSE; }
    std::vector<std::string> listItems() const;

    // Keystrokes into the menu text box; '\b' is Backspace.
    void type(const std::string& keys);
    // Text put into the menu text box at the caret, as a paste puts it.
    void paste(const std::string& text);
    void clearItemText();
    void select(int index);
    void click(int id);
    void drop(const std::vector<std::string>& paths);
    void dropWide(const std::wstring& path);
    std::wstring wideText(int id) const;
    // A key pressed and released where the keyboard's input goes: the
    // window with the focus, through the dialog manager.
    void press(UINT key);

    HWND dialog = NULL;

  public:
    // Every message box the dialog opened, in order, as the hook saw it.
    static std::vector<MessageBoxSeen> messageBoxes;
    // The open-file dialogs seen, with the file name each offered at first.
    static std::vector<MessageBoxSeen> fileDialogs;
    // What the user picks in the next open-file dialog; empty cancels it.
    static std::string fileToPick;

  private:
    HHOOK hook_ = NULL;
};

#endif
