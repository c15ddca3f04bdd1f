#include "editor/logic/InputBox.h"

LabelField fieldOfBox(InputBox box) {
    switch (box) {
        case InputBox::Text1:
            return LabelField::JanCode;
        case InputBox::Text2:
            return LabelField::Maker;
        case InputBox::Text3:
            return LabelField::ProductName;
        case InputBox::Text4:
            return LabelField::Spec;
        case InputBox::Text6:
            return LabelField::Lot;
        case InputBox::Text5:
            return LabelField::Price;
    }
    return LabelField::JanCode;
}

InputBox nextBoxInCycle(InputBox box) {
    switch (box) {
        case InputBox::Text1:
            return InputBox::Text2;
        case InputBox::Text2:
            return InputBox::Text3;
        case InputBox::Text3:
            return InputBox::Text4;
        case InputBox::Text4:
            return InputBox::Text6;
        case InputBox::Text6:
            return InputBox::Text5;
        case InputBox::Text5:
            return InputBox::Text1;
    }
    return InputBox::Text1;
}
