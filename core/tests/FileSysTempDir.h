// A temporary directory for the file-system tests (made with mkdtemp, removed with everything in it
// at the end), with helpers that build files, directories and links in it through the C++ library,
// independently of the routines under test.
#pragma once

#include <qyx/platform/FileSystem.h>

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

namespace qyx::test {

class TTempDir {
public:
    TTempDir() {
        std::string pattern = GetTempDirectory() + "qyxfs-XXXXXX";
        if (!::mkdtemp(pattern.data())) ADD_FAILURE() << "mkdtemp failed";
        FPath = pattern + "/";
    }
    ~TTempDir() {
        // Permissions first, so that a read-only directory does not keep its entries.
        std::error_code ec;
        for (auto it = std::filesystem::recursive_directory_iterator(FPath, ec);
             !ec && it != std::filesystem::recursive_directory_iterator(); it.increment(ec))
            if (it->is_directory() && !it->is_symlink())
                std::filesystem::permissions(it->path(), std::filesystem::perms::owner_all,
                                             std::filesystem::perm_options::add, ec);
        std::filesystem::remove_all(FPath, ec);
    }
    TTempDir(const TTempDir&) = delete;
    TTempDir& operator=(const TTempDir&) = delete;

    /// The directory with a trailing "/".
    const std::string& Path() const { return FPath; }
    /// The path of Rel inside the directory.
    std::string operator()(const std::string& Rel) const { return FPath + Rel; }

    /// Creates the file Rel (and its missing directories) with Content.
    std::string File(const std::string& Rel, const std::string& Content = "") const {
        const std::string p = FPath + Rel;
        std::filesystem::create_directories(std::filesystem::path(p).parent_path());
        std::ofstream(p, std::ios::binary) << Content;
        return p;
    }
    /// Creates the directory Rel with its missing parents.
    std::string Dir(const std::string& Rel) const {
        std::filesystem::create_directories(FPath + Rel);
        return FPath + Rel;
    }
    /// Creates the symbolic link Rel with the target text Target.
    std::string Link(const std::string& Target, const std::string& Rel) const {
        std::filesystem::create_symlink(Target, FPath + Rel);
        return FPath + Rel;
    }

private:
    std::string FPath;
};

/// The bytes of a file ("" when it cannot be read).
inline std::string ReadAll(const std::string& Path) {
    std::ifstream f(Path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(f), std::istreambuf_iterator<char>());
}

/// True when Path exists as anything, a dangling link included.
inline bool Exists(const std::string& Path) {
    return std::filesystem::symlink_status(Path).type() != std::filesystem::file_type::not_found;
}

/// True when Path is a symbolic link.
inline bool IsLinkAt(const std::string& Path) {
    return std::filesystem::is_symlink(std::filesystem::symlink_status(Path));
}

/// Removes every write permission: the read-only attribute of a file.
inline void MakeReadOnly(const std::string& Path) {
    std::filesystem::permissions(Path,
                                 std::filesystem::perms::owner_write | std::filesystem::perms::group_write |
                                     std::filesystem::perms::others_write,
                                 std::filesystem::perm_options::remove);
}

/// Sets an environment variable for the lifetime of the object and restores it afterwards.
class TEnvVar {
public:
    TEnvVar(const char* Name, const char* Value) : FName(Name) {
        if (const char* old = std::getenv(Name)) {
            FHad = true;
            FOld = old;
        }
        if (Value)
            ::setenv(Name, Value, 1);
        else
            ::unsetenv(Name);
    }
    ~TEnvVar() {
        if (FHad)
            ::setenv(FName.c_str(), FOld.c_str(), 1);
        else
            ::unsetenv(FName.c_str());
    }
    TEnvVar(const TEnvVar&) = delete;
    TEnvVar& operator=(const TEnvVar&) = delete;

private:
    std::string FName, FOld;
    bool FHad = false;
};

} // namespace qyx::test
