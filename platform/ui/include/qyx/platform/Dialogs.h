// Standard dialogues (open, save, colour) and message boxes, run by a replaceable dialogue service.
//
// Execute returns true when the user confirmed (the dialogue's FileName, FilterIndex or Color then
// hold the answer) and false when the user cancelled or the dialogue failed; CommDlgExtendedError
// tells the two apart: 0 after a cancel, the failure's error code otherwise.
//
// The default service is headless and scripted: tests queue answers (PushFileAnswer,
// PushColorAnswer, PushMessageAnswer); each dialogue takes the next answer of its kind. A dialogue
// with no answer queued is cancelled, a message box with none answers its first button (IDOK for
// MB_OK and MB_OKCANCEL, IDYES for MB_YESNO and MB_YESNOCANCEL, ...). Every request is recorded
// (kind, title, filter, initial directory, proposed name, colour, text) for tests to read. A backend
// installs native dialogues with SetDialogService.
#pragma once

#include <cstdint>
#include <deque>
#include <memory>
#include <string>
#include <vector>

#include <qyx/platform/Color.h>
#include <qyx/platform/Object.h>
#include <qyx/platform/Types.h>

namespace qyx {

// Message box buttons, icons and answers.
constexpr uint32_t MB_OK = 0x0;
constexpr uint32_t MB_OKCANCEL = 0x1;
constexpr uint32_t MB_ABORTRETRYIGNORE = 0x2;
constexpr uint32_t MB_YESNOCANCEL = 0x3;
constexpr uint32_t MB_YESNO = 0x4;
constexpr uint32_t MB_RETRYCANCEL = 0x5;
constexpr uint32_t MB_ICONERROR = 0x10;
constexpr uint32_t MB_ICONQUESTION = 0x20;
constexpr uint32_t MB_ICONWARNING = 0x30;
constexpr uint32_t MB_ICONINFORMATION = 0x40;
constexpr int IDOK = 1;
constexpr int IDCANCEL = 2;
constexpr int IDABORT = 3;
constexpr int IDRETRY = 4;
constexpr int IDIGNORE = 5;
constexpr int IDYES = 6;
constexpr int IDNO = 7;

/// Options of file dialogues.
enum TOpenOption : uint8_t {
    ofReadOnly,
    ofOverwritePrompt,
    ofHideReadOnly,
    ofNoChangeDir,
    ofShowHelp,
    ofNoValidate,
    ofAllowMultiSelect,
    ofExtensionDifferent,
    ofPathMustExist,
    ofFileMustExist,
    ofCreatePrompt,
    ofShareAware,
    ofNoReadOnlyReturn,
    ofNoTestFileCreate,
    ofEnableSizing
};
using TOpenOptions = TSet<TOpenOption>;

enum TColorDialogOption : uint8_t { cdFullOpen, cdPreventFullOpen, cdShowHelp, cdSolidColor, cdAnyColor };
using TColorDialogOptions = TSet<TColorDialogOption>;

class TCommonDialog : public TComponent {
public:
    using TComponent::TComponent;
    /// Runs the dialogue through the dialogue service.
    virtual bool Execute() = 0;
};

/// The open dialogue. Filter alternates descriptions and masks separated by "|"
/// ("Text files|*.txt|All files|*.*"); FilterIndex counts the filter's pairs from 1.
class TOpenDialog : public TCommonDialog {
public:
    using TCommonDialog::TCommonDialog;
    bool Execute() override;
    const std::string& GetFileName() const { return FFileName; }
    void SetFileName(const std::string& Value) { FFileName = Value; }
    const std::string& GetFilter() const { return FFilter; }
    void SetFilter(const std::string& Value) { FFilter = Value; }
    int GetFilterIndex() const { return FFilterIndex; }
    void SetFilterIndex(int Value) { FFilterIndex = Value; }
    const std::string& GetInitialDir() const { return FInitialDir; }
    void SetInitialDir(const std::string& Value) { FInitialDir = Value; }
    const std::string& GetTitle() const { return FTitle; }
    void SetTitle(const std::string& Value) { FTitle = Value; }
    const std::string& GetDefaultExt() const { return FDefaultExt; }
    void SetDefaultExt(const std::string& Value) { FDefaultExt = Value; }
    TOpenOptions GetOptions() const { return FOptions; }
    void SetOptions(TOpenOptions Value) { FOptions = Value; }
    /// Whether this is a save dialogue.
    virtual bool IsSave() const { return false; }

private:
    std::string FFileName, FFilter, FInitialDir, FTitle, FDefaultExt;
    int FFilterIndex = 1;
    TOpenOptions FOptions{ofHideReadOnly, ofEnableSizing};
};

class TSaveDialog : public TOpenDialog {
public:
    using TOpenDialog::TOpenDialog;
    bool IsSave() const override { return true; }
};

/// The colour dialogue: opens with Color and returns the chosen colour in it.
class TColorDialog : public TCommonDialog {
public:
    using TCommonDialog::TCommonDialog;
    bool Execute() override;
    TColor GetColor() const { return FColor; }
    void SetColor(TColor Value) { FColor = Value; }
    TColorDialogOptions GetOptions() const { return FOptions; }
    void SetOptions(TColorDialogOptions Value) { FOptions = Value; }

private:
    TColor FColor = clBlack;
    TColorDialogOptions FOptions;
};

/// Runs dialogues. ErrorCode is 0 unless the dialogue failed.
class TDialogService {
public:
    virtual ~TDialogService() = default;
    virtual bool ExecuteFile(TOpenDialog* Dialog, uint32_t& ErrorCode) = 0;
    virtual bool ExecuteColor(TColorDialog* Dialog, uint32_t& ErrorCode) = 0;
    virtual int MessageBox(const std::string& Text, const std::string& Caption, uint32_t Flags) = 0;
};

enum TDialogKind : uint8_t { dkOpen, dkSave, dkColor, dkMessage };

/// One recorded dialogue request.
struct TDialogRequest {
    TDialogKind Kind = dkMessage;
    std::string Title; ///< dialogue title or message box caption
    std::string Text;  ///< message box text
    std::string Filter;
    std::string InitialDir;
    std::string FileName; ///< proposed name
    int FilterIndex = 0;
    TColor Color = clBlack; ///< initial colour
    uint32_t Flags = 0;
};

/// A scripted answer. File dialogues: Ok, FileName, FilterIndex (0 keeps the dialogue's). Colour:
/// Ok, Color. Any dialogue: a non-zero ErrorCode makes it fail. Message boxes: Button.
struct TDialogAnswer {
    bool Ok = true;
    std::string FileName;
    int FilterIndex = 0;
    TColor Color = clBlack;
    uint32_t ErrorCode = 0;
    int Button = IDOK;
};

/// The headless, scripted dialogue service (the default).
class THeadlessDialogs : public TDialogService {
public:
    bool ExecuteFile(TOpenDialog* Dialog, uint32_t& ErrorCode) override;
    bool ExecuteColor(TColorDialog* Dialog, uint32_t& ErrorCode) override;
    int MessageBox(const std::string& Text, const std::string& Caption, uint32_t Flags) override;

    void PushFileAnswer(const TDialogAnswer& Answer) { FFile.push_back(Answer); }
    void PushColorAnswer(const TDialogAnswer& Answer) { FColor.push_back(Answer); }
    void PushMessageAnswer(int Button);
    /// Requests so far, oldest first.
    const std::vector<TDialogRequest>& GetRequests() const { return FRequests; }
    /// Forgets the requests and the unused answers.
    void Reset();

private:
    std::deque<TDialogAnswer> FFile, FColor, FMessage;
    std::vector<TDialogRequest> FRequests;
};

/// The service in use, and the headless one (always present).
TDialogService* DialogService();
THeadlessDialogs* HeadlessDialogs();
/// Installs a service (nullptr: the headless one again).
void SetDialogService(std::unique_ptr<TDialogService> Service);

/// The error code of the last dialogue: 0 after confirmation or cancel.
uint32_t CommDlgExtendedError();

/// A message box with an OK button captioned with the application's title.
void ShowMessage(const std::string& Text);

} // namespace qyx
