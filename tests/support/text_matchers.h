#pragma once

#include <gmock/gmock.h>

// What a user reads, a message, a report or a file's text, matched in part.
using ::testing::EndsWith;
using ::testing::HasSubstr;
using ::testing::StartsWith;
