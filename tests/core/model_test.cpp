#include <gtest/gtest.h>

#include "model/LabelSheet.h"

TEST(LabelSheet, Placeholder) { EXPECT_EQ(labelColumn(10), 1); }
