// The message forms of the error family.
#include <qyx/QYX_qyxbase.h>

namespace qyx {

std::string ComponentMsg(const TComponent* C, const std::string& Text) {
    const std::string name = C ? C->GetName() : std::string();
    return "Component \"" + name + "\": " + Text;
}

std::string ClassMsg(const std::string& ClassName, const std::string& Text) {
    return "Class " + ClassName + ": " + Text;
}

std::string ClassMsg(const TObject* Obj, const std::string& Text) {
    return ClassMsg(Obj ? Obj->ClassName() : std::string(), Text);
}

std::string RoutineMsg(const std::string& Routine, const std::string& Text) {
    return Routine + ": " + Text;
}

} // namespace qyx
