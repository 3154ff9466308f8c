// User and group identity from the system's user and group databases.
#pragma once
#include <string>

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
