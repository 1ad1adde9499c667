// Standard dialogues, message boxes and the headless scripted dialogue service.
#include <qyx/platform/Application.h>
#include <qyx/platform/Dialogs.h>

namespace qyx {

namespace {

struct TDialogState {
    THeadlessDialogs Headless;
    std::unique_ptr<TDialogService> Installed;
    uint32_t LastError = 0;
};

TDialogState& State() {
    static TDialogState* s = new TDialogState;
    return *s;
}

} // namespace

TDialogService* DialogService() {
    auto& s = State();
    return s.Installed ? s.Installed.get() : &s.Headless;
}

THeadlessDialogs* HeadlessDialogs() {
    return &State().Headless;
}

void SetDialogService(std::unique_ptr<TDialogService> Service) {
    State().Installed = std::move(Service);
}

uint32_t CommDlgExtendedError() {
    return State().LastError;
}

void ShowMessage(const std::string& Text) {
    DialogService()->MessageBox(Text, Application()->GetTitle(), MB_OK);
}

bool TOpenDialog::Execute() {
    uint32_t error = 0;
    const bool ok = DialogService()->ExecuteFile(this, error);
    State().LastError = ok ? 0 : error;
    return ok;
}

bool TColorDialog::Execute() {
    uint32_t error = 0;
    const bool ok = DialogService()->ExecuteColor(this, error);
    State().LastError = ok ? 0 : error;
    return ok;
}

bool THeadlessDialogs::ExecuteFile(TOpenDialog* Dialog, uint32_t& ErrorCode) {
    ErrorCode = 0;
    TDialogRequest r;
    r.Kind = Dialog->IsSave() ? dkSave : dkOpen;
    r.Title = Dialog->GetTitle();
    r.Filter = Dialog->GetFilter();
    r.InitialDir = Dialog->GetInitialDir();
    r.FileName = Dialog->GetFileName();
    r.FilterIndex = Dialog->GetFilterIndex();
    FRequests.push_back(r);
    if (FFile.empty()) return false;
    const TDialogAnswer a = FFile.front();
    FFile.pop_front();
    ErrorCode = a.ErrorCode;
    if (a.ErrorCode != 0 || !a.Ok) return false;
    Dialog->SetFileName(a.FileName);
    if (a.FilterIndex > 0) Dialog->SetFilterIndex(a.FilterIndex);
    return true;
}

bool THeadlessDialogs::ExecuteColor(TColorDialog* Dialog, uint32_t& ErrorCode) {
    ErrorCode = 0;
    TDialogRequest r;
    r.Kind = dkColor;
    r.Color = Dialog->GetColor();
    FRequests.push_back(r);
    if (FColor.empty()) return false;
    const TDialogAnswer a = FColor.front();
    FColor.pop_front();
    ErrorCode = a.ErrorCode;
    if (a.ErrorCode != 0 || !a.Ok) return false;
    Dialog->SetColor(a.Color);
    return true;
}

int THeadlessDialogs::MessageBox(const std::string& Text, const std::string& Caption, uint32_t Flags) {
    TDialogRequest r;
    r.Kind = dkMessage;
    r.Title = Caption;
    r.Text = Text;
    r.Flags = Flags;
    FRequests.push_back(r);
    if (!FMessage.empty()) {
        const int b = FMessage.front().Button;
        FMessage.pop_front();
        return b;
    }
    switch (Flags & 0xF) {
    case MB_ABORTRETRYIGNORE: return IDABORT;
    case MB_YESNOCANCEL:
    case MB_YESNO: return IDYES;
    case MB_RETRYCANCEL: return IDRETRY;
    default: return IDOK;
    }
}

void THeadlessDialogs::PushMessageAnswer(int Button) {
    TDialogAnswer a;
    a.Button = Button;
    FMessage.push_back(a);
}

void THeadlessDialogs::Reset() {
    FFile.clear();
    FColor.clear();
    FMessage.clear();
    FRequests.clear();
}

} // namespace qyx
