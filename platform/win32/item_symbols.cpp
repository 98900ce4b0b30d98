#include "platform/win32/item_symbols.h"

#include "platform/outlook.h"
#include "platform/win32/system_library.h"

#include <initializer_list>

namespace lexi::win32 {
namespace {

// The symbols are drawn on a grid of 16 by 16 units, scaled to the size
// asked for.
constexpr int Grid = 16;
constexpr int SymbolCount = static_cast<int>(ItemSymbol::LowImportance) + 1;
// The colour the image list takes as transparent.
constexpr COLORREF Background = RGB(255, 0, 255);
constexpr COLORREF Ink = RGB(64, 64, 64);
constexpr COLORREF Paper = RGB(255, 255, 255);
constexpr COLORREF Red = RGB(200, 30, 30);
constexpr COLORREF Blue = RGB(40, 90, 200);
constexpr COLORREF Green = RGB(30, 140, 60);
constexpr COLORREF Yellow = RGB(250, 200, 40);
constexpr COLORREF Grey = RGB(150, 150, 150);

// A pen and a brush selected into the device context while it lives; no
// brush when `fill` is Background.
class Paint {
public:
    Paint(HDC dc, COLORREF line, int width, COLORREF fill)
        : dc_(dc), pen_(CreatePen(PS_SOLID, width, line)),
          brush_(fill == Background ? static_cast<HBRUSH>(GetStockObject(NULL_BRUSH))
                                    : CreateSolidBrush(fill)),
          oldPen_(SelectObject(dc, pen_)), oldBrush_(SelectObject(dc, brush_)) {}
    ~Paint() {
        SelectObject(dc_, oldPen_);
        SelectObject(dc_, oldBrush_);
        DeleteObject(pen_);
        DeleteObject(brush_);
    }
    Paint(const Paint&) = delete;
    Paint& operator=(const Paint&) = delete;

private:
    HDC dc_;
    HPEN pen_;
    HBRUSH brush_;
    HGDIOBJ oldPen_;
    HGDIOBJ oldBrush_;
};

void lines(HDC dc, std::initializer_list<POINT> points) {
    Polyline(dc, points.begin(), static_cast<int>(points.size()));
}

void shape(HDC dc, std::initializer_list<POINT> points) {
    Polygon(dc, points.begin(), static_cast<int>(points.size()));
}

void draw(HDC dc, ItemSymbol symbol) {
    switch (symbol) {
    case ItemSymbol::Mail: {
        const Paint paint(dc, Ink, 1, Paper);
        Rectangle(dc, 1, 3, 15, 13);
        lines(dc, {{1, 3}, {8, 9}, {15, 3}});
        break;
    }
    case ItemSymbol::Report: {
        const Paint triangle(dc, Ink, 1, Yellow);
        shape(dc, {{8, 1}, {15, 14}, {1, 14}});
        const Paint mark(dc, Ink, 1, Ink);
        Rectangle(dc, 7, 5, 9, 10);
        Rectangle(dc, 7, 11, 9, 13);
        break;
    }
    case ItemSymbol::Meeting: {
        const Paint sheet(dc, Ink, 1, Paper);
        Rectangle(dc, 2, 2, 14, 14);
        lines(dc, {{6, 6}, {6, 14}});
        lines(dc, {{10, 6}, {10, 14}});
        lines(dc, {{2, 10}, {14, 10}});
        const Paint band(dc, Ink, 1, Red);
        Rectangle(dc, 2, 2, 14, 6);
        break;
    }
    case ItemSymbol::Contact: {
        const Paint paint(dc, Ink, 1, Blue);
        Ellipse(dc, 5, 1, 11, 7);
        RoundRect(dc, 2, 8, 14, 18, 6, 6);
        break;
    }
    case ItemSymbol::Task: {
        {
            const Paint box(dc, Ink, 1, Paper);
            Rectangle(dc, 2, 2, 14, 14);
        }
        const Paint tick(dc, Green, 2, Background);
        lines(dc, {{4, 8}, {7, 11}, {12, 4}});
        break;
    }
    case ItemSymbol::OtherItem: {
        const Paint paint(dc, Grey, 1, Grey);
        Ellipse(dc, 5, 5, 11, 11);
        break;
    }
    case ItemSymbol::Attachment: {
        const Paint paint(dc, Ink, 1, Background);
        RoundRect(dc, 5, 1, 11, 15, 6, 6);
        lines(dc, {{8, 4}, {8, 12}});
        break;
    }
    case ItemSymbol::Flagged: {
        {
            const Paint pole(dc, Ink, 1, Ink);
            lines(dc, {{3, 1}, {3, 15}});
        }
        const Paint flag(dc, Red, 1, Red);
        shape(dc, {{4, 2}, {13, 2}, {10, 5}, {13, 8}, {4, 8}});
        break;
    }
    case ItemSymbol::FlagComplete: {
        const Paint tick(dc, Grey, 2, Background);
        lines(dc, {{3, 8}, {6, 11}, {13, 4}});
        break;
    }
    case ItemSymbol::HighImportance: {
        const Paint mark(dc, Red, 1, Red);
        Rectangle(dc, 7, 2, 10, 10);
        Rectangle(dc, 7, 12, 10, 15);
        break;
    }
    case ItemSymbol::LowImportance: {
        const Paint arrow(dc, Blue, 2, Blue);
        lines(dc, {{8, 2}, {8, 10}});
        shape(dc, {{4, 9}, {12, 9}, {8, 14}});
        break;
    }
    }
}

} // namespace

ItemSymbol symbolOfClass(int itemClass) {
    switch (itemClass) {
    case outlook::ClassMail:
        return ItemSymbol::Mail;
    case outlook::ClassReport:
        return ItemSymbol::Report;
    case outlook::ClassMeetingRequest:
    case outlook::ClassMeetingCancellation:
    case outlook::ClassAppointment:
        return ItemSymbol::Meeting;
    case outlook::ClassContact:
        return ItemSymbol::Contact;
    case outlook::ClassTask:
        return ItemSymbol::Task;
    default:
        return ItemSymbol::OtherItem;
    }
}

HIMAGELIST makeItemSymbols(int size) {
    const HDC screen = GetDC(nullptr);
    const HDC dc = CreateCompatibleDC(screen);
    const HBITMAP strip = CreateCompatibleBitmap(screen, size * SymbolCount, size);
    ReleaseDC(nullptr, screen);
    const HGDIOBJ old = SelectObject(dc, strip);
    const RECT all{0, 0, size * SymbolCount, size};
    const HBRUSH background = CreateSolidBrush(Background);
    FillRect(dc, &all, background);
    DeleteObject(background);
    SetMapMode(dc, MM_ANISOTROPIC);
    SetWindowExtEx(dc, Grid, Grid, nullptr);
    SetViewportExtEx(dc, size, size, nullptr);
    for (int symbol = 0; symbol < SymbolCount; ++symbol) {
        SetViewportOrgEx(dc, symbol * size, 0, nullptr);
        draw(dc, static_cast<ItemSymbol>(symbol));
    }
    SelectObject(dc, old);
    DeleteDC(dc);
    // The image list's functions come with the common controls, loaded
    // when a window first needs them.
    const auto create = systemFunction<HIMAGELIST WINAPI(int, int, UINT, int, int)>(
        L"comctl32.dll", "ImageList_Create");
    const auto addMasked = systemFunction<int WINAPI(HIMAGELIST, HBITMAP, COLORREF)>(
        L"comctl32.dll", "ImageList_AddMasked");
    const HIMAGELIST symbols =
        create && addMasked ? create(size, size, ILC_COLOR24 | ILC_MASK, SymbolCount, 0) : nullptr;
    if (symbols) {
        addMasked(symbols, strip, Background);
    }
    DeleteObject(strip);
    return symbols;
}

void destroyItemSymbols(HIMAGELIST symbols) {
    const auto destroy =
        systemFunction<BOOL WINAPI(HIMAGELIST)>(L"comctl32.dll", "ImageList_Destroy");
    if (symbols && destroy) {
        destroy(symbols);
    }
}

} // namespace lexi::win32
