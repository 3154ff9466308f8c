// User and group identity from the system's user and group databases.
#pragma once
#include <sys/types.h>

#include <string>
#include <string_view>
#include <vector>

enum class GroupQueryResult {
  kMember,
  kNotMember,
  kNoSuchGroup,
  kNoSuchUser,
  kQueryFailed,  // the database could not be read
};

// Whether `user` belongs to `group`: listed among the group's members, or the
// group is the user's primary group.
GroupQueryResult QueryGroupMembership(const std::string& group, const std::string& user);

// Login name of the real user ID; empty when the user database has no entry.
std::string LoginNameOfRealUser();

// The groups that CUPS's SystemGroup lines name in the text of cups-files.conf
// (directive names compared without regard to case, "#" starts a comment);
// "lpadmin", Debian's default, when there is none.
std::vector<std::string> ParseSystemGroups(std::string_view confText);
// CUPS's cups-files.conf in its server root ($CUPS_SERVERROOT, else /etc/cups).
std::string CupsFilesConfPath();

// The administrator test of this platform: the user is root (uid 0), or a
// member of one of CUPS's SystemGroup groups read from `confPath` (a file that
// cannot be read names Debian's default, "lpadmin").
bool IsAdministrator(uid_t uid, const std::string& login, const std::string& confPath);
// The same for the real user of this process and CupsFilesConfPath().
bool IsProcessUserAdministrator();
