#pragma once

#include <gtest/gtest.h>

#include <string>

// Name generator for INSTANTIATE_TEST_SUITE_P whose cases have no name of their own: "case<i>"
// in the order of the list. Without a generator CTest names the cases after the bytes of their
// values, which change from run to run when a value holds pointers or padding.
struct CaseIndexName {
    template <class T> std::string operator()(const ::testing::TestParamInfo<T>& info) const {
        return "case" + std::to_string(info.index);
    }
};
