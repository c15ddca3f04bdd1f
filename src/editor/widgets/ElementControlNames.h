#pragma once

#include <array>

#include "editor/logic/LabelEditor.h"
#include "model/LabelElement.h"

// The controls of one label element in the input window: the caption of its
// frame and the object names of its buttons. A move button is named by the
// element's prefix followed by the direction ("品名_右"; the price has no
// prefix: "右"). nullptr: the element has no such button.
struct ElementControlNames {
    LabelElement element;
    const char* caption;
    const char* movePrefix;
    const char* visibility;
    const char* underline;
    const char* font;
    const char* color;
};

inline constexpr std::array<ElementControlNames, 10> kElementControls = {{
    {LabelElement::Jan, "JANコード", "jan_", "jan表示", nullptr, "janフォント切替", "JAN_COLOR"},
    {LabelElement::Barcode, "バーコード", "bar_", "BARCODE", nullptr, nullptr, nullptr},
    {LabelElement::Maker, "メーカー", "maker_", "メーカー表示", "メーカーU表示",
     "メーカーフォント切替", "メーカー_color"},
    {LabelElement::ProductName, "品名", "品名_", "品名表示", "品名U表示", "品名フォント切替",
     "品名_color"},
    {LabelElement::Spec, "規格", "規格_", "規格表示", "規格U表示", "規格フォント切替",
     "規格_color"},
    {LabelElement::Lot, "ロット", "rot_", "ロット表示", "ロットU表示", "ロットフォント切替",
     "色_color"},
    {LabelElement::Price, "売価", "", "単価表示", nullptr, "単価フォント切替", "売価_COLOR"},
    {LabelElement::Yen, "円", "enn_", "円表示", nullptr, "円フォント切替", "円_color"},
    {LabelElement::TaxLine, "税込", "zei_", "税込表示", nullptr, "税込フォント切替", "税込_color"},
    {LabelElement::Qr, "QRコード", "qr_", "QR表示", nullptr, nullptr, nullptr},
}};

// The elements a shop's label shows beside the six texts: on a page of
// their own, so that the first page keeps its layout.
inline constexpr std::array<ElementControlNames, 5> kShelfElementControls = {{
    {LabelElement::PriceCaption, "価格見出し", "midashi_", "見出し表示", nullptr,
     "見出しフォント切替", "見出し_color"},
    {LabelElement::UnitPrice, "単位価格", "tanni_", "単位価格表示", nullptr, "単位価格フォント切替",
     "単位価格_color"},
    {LabelElement::RegularPrice, "通常価格", "tuujou_", "通常価格表示", nullptr,
     "通常価格フォント切替", "通常価格_color"},
    {LabelElement::SalePeriod, "期間", "kikan_", "期間表示", nullptr, "期間フォント切替",
     "期間_color"},
    {LabelElement::Origin, "産地", "santi_", "産地表示", nullptr, "産地フォント切替", "産地_color"},
}};

struct DirectionName {
    MoveDirection direction;
    const char* caption;  // also the end of the button's object name
};

// The move buttons in the order right, left, down, up.
inline constexpr std::array<DirectionName, 4> kDirections = {{
    {MoveDirection::Right, "右"},
    {MoveDirection::Left, "左"},
    {MoveDirection::Down, "下"},
    {MoveDirection::Up, "上"},
}};

inline constexpr const char* kFontButtonCaption = "フォント.サイズ切替";
inline constexpr const char* kColorButtonCaption = "色";
