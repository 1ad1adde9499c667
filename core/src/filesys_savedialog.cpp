// The universal save dialogue: the standard save dialogue of the dialogue service, or the
// application's own handlers, followed by the existence test and the overwrite question.
#include <qyx/QYX_filesys.h>

#include <cstdio>

#include <qyx/QYX_streams.h>
#include <qyx/platform/Dialogs.h>
#include <qyx/platform/FileSystem.h>
#include <qyx/platform/Streams.h>

namespace qyx {

namespace {
constexpr int kOk = 1, kCancel = 2, kYes = 6, kNo = 7;
} // namespace

TUnivSaveDialog::TUnivSaveDialog(TComponent* AOwner) : TComponent(AOwner) {}

bool TUnivSaveDialog::SelectName(int& UserAction) {
    if (!FUseStandardDialog) {
        if (!OnFileSelect) RaiseComponentError<EQYXFileSysError>(this, "File select dialog is not assigned");
        OnFileSelect(this, FParameters, UserAction, FFileName);
        return UserAction == kOk;
    }
    TSaveDialog dlg(nullptr);
    dlg.SetFilter(ExtractParamAsString("filter"));
    dlg.SetTitle(ExtractParamAsString("caption"));
    dlg.SetInitialDir(ExtractParamAsString("initialdir"));
    dlg.SetFileName(FFileName);
    if (dlg.Execute()) {
        UserAction = kOk;
    } else if (const uint32_t err = CommDlgExtendedError(); err != 0) {
        char hex[16];
        std::snprintf(hex, sizeof hex, "%04X", static_cast<unsigned>(err & 0xFFFFu));
        RaiseComponentError<EQYXFileSysError>(this, std::string("Error in standard dialog (errnum = $") +
                                                        hex + ").");
    }
    if (UserAction != kOk) return false;
    FFileName = dlg.GetFileName();
    const std::string ext = ExtractParamAsString("ext");
    if (!ext.empty()) FFileName = StripExtension(FFileName) + "." + ext;
    return true;
}

bool TUnivSaveDialog::Execute() {
    for (;;) {
        int userAction = kCancel;
        if (!SelectName(userAction)) return false;
        bool exists = false;
        if (FUseStandardDialog)
            exists = FileExists(FFileName);
        else if (OnFileCheck)
            OnFileCheck(this, FFileName, exists);
        if (!exists) return true;
        if (!OnOverwrite) RaiseComponentError<EQYXFileSysError>(this, "Overwrite dialog is not assigned");
        int reply = kNo;
        OnOverwrite(this, FFileName, reply);
        switch (reply) {
        case kCancel: return false;
        case kYes: return true;
        case kNo: continue;
        default: RaiseComponentError<EQYXFileSysError>(this, "Invalid reply argument from overwrite dialog");
        }
    }
}

std::string TUnivSaveDialog::ExtractParamAsString(const std::string& Name) const {
    return ScanForXMLAttrib(FParameters, Name);
}

std::string TUnivSaveDialog::RequiredParam(const std::string& Name) const {
    std::string v = ExtractParamAsString(Name);
    if (v.empty())
        RaiseComponentError<EQYXFileSysError>(this, Name + " is not specified in property Parameters");
    return v;
}

int TUnivSaveDialog::ExtractParamAsInt(const std::string& Name) const {
    TStringStream text(RequiredParam(Name));
    return ScanStreamDecimal(&text);
}

double TUnivSaveDialog::ExtractParamAsDouble(const std::string& Name) const {
    const std::string v = RequiredParam(Name);
    int pos = 1;
    return ScanStringFPNum(v, pos, true, dsBoth);
}

} // namespace qyx
