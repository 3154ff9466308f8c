// Names parameterised test cases after their row: every row struct has a
// `name` member, a readable identifier that stays the same between runs.
#pragma once
#include <gtest/gtest.h>

#include <string>

struct RowName {
  template <typename Row>
  std::string operator()(const testing::TestParamInfo<Row>& row) const {
    return std::string(row.param.name);
  }
};
