#include "model/LabelStock.h"

int LabelStock::column(int number) const {
    return columns > 0 ? (number - 1) % columns : 0;
}

int LabelStock::row(int number) const {
    return columns > 0 ? (number - 1) / columns : 0;
}

PointMm LabelStock::cellOrigin(int number, PointMm first) const {
    return {first.x + pitchXMm * column(number), first.y + pitchYMm * row(number)};
}
