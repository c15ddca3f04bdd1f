#pragma once

#include "model/LabelSheet.h"

// The six input boxes of the input window. Text5 holds the price and Text6 the
// lot; the Enter cycle is Text1, Text2, Text3, Text4, Text6, Text5.
// The crossed numbers are kept on purpose, not a slip: the boxes are known by
// these names, and users are used to typing the lot before the price.
enum class InputBox { Text1, Text2, Text3, Text4, Text5, Text6 };

// The field of a label each box shows.
LabelField fieldOfBox(InputBox box);
// The box after `box` in the Enter (and tab) cycle.
InputBox nextBoxInCycle(InputBox box);
