#pragma once

#include <cstdint>

// The message vocabulary the window procedure, the controls and the screens share: the
// numbers of the window messages, the mouse-key flags and the virtual-key codes, kept
// with the values their names have always had so that every handler compares the same
// numbers.
namespace pestrol {

using MessageId = std::uint32_t;

namespace msg {
constexpr MessageId kDestroy = 0x0002;
constexpr MessageId kSize = 0x0005;
constexpr MessageId kPaint = 0x000F;
constexpr MessageId kClose = 0x0010;
constexpr MessageId kQuit = 0x0012;
constexpr MessageId kShowWindow = 0x0018;
constexpr MessageId kKeyDown = 0x0100;
constexpr MessageId kKeyUp = 0x0101;
constexpr MessageId kChar = 0x0102;
constexpr MessageId kDeadChar = 0x0103;
constexpr MessageId kSysKeyDown = 0x0104;
constexpr MessageId kSysKeyUp = 0x0105;
constexpr MessageId kTimer = 0x0113;
constexpr MessageId kMouseMove = 0x0200;
constexpr MessageId kLButtonDown = 0x0201;
constexpr MessageId kLButtonUp = 0x0202;
constexpr MessageId kLButtonDblClk = 0x0203;
constexpr MessageId kRButtonDown = 0x0204;
constexpr MessageId kRButtonUp = 0x0205;
constexpr MessageId kRButtonDblClk = 0x0206;
constexpr MessageId kMButtonDown = 0x0207;
constexpr MessageId kMButtonUp = 0x0208;
constexpr MessageId kMButtonDblClk = 0x0209;
constexpr MessageId kMouseWheel = 0x020A;
constexpr MessageId kEnterSizeMove = 0x0231;
constexpr MessageId kExitSizeMove = 0x0232;
constexpr MessageId kMouseLeave = 0x02A3;
}  // namespace msg

// The flags of the mouse messages' wParam.
namespace mk {
constexpr std::uint32_t kLButton = 0x0001;
constexpr std::uint32_t kRButton = 0x0002;
constexpr std::uint32_t kShift = 0x0004;
constexpr std::uint32_t kControl = 0x0008;
constexpr std::uint32_t kMButton = 0x0010;
}  // namespace mk

// Virtual-key codes: the physical key, whatever the keyboard layout.
namespace vk {
constexpr std::uint32_t kBack = 0x08;
constexpr std::uint32_t kTab = 0x09;
constexpr std::uint32_t kReturn = 0x0D;
constexpr std::uint32_t kShift = 0x10;
constexpr std::uint32_t kControl = 0x11;
constexpr std::uint32_t kMenu = 0x12;
constexpr std::uint32_t kPause = 0x13;
constexpr std::uint32_t kCapital = 0x14;
constexpr std::uint32_t kEscape = 0x1B;
constexpr std::uint32_t kSpace = 0x20;
constexpr std::uint32_t kPrior = 0x21;
constexpr std::uint32_t kNext = 0x22;
constexpr std::uint32_t kEnd = 0x23;
constexpr std::uint32_t kHome = 0x24;
constexpr std::uint32_t kLeft = 0x25;
constexpr std::uint32_t kUp = 0x26;
constexpr std::uint32_t kRight = 0x27;
constexpr std::uint32_t kDown = 0x28;
constexpr std::uint32_t kInsert = 0x2D;
constexpr std::uint32_t kDelete = 0x2E;
constexpr std::uint32_t k0 = 0x30;  // '0' ... '9' are 0x30 ... 0x39
constexpr std::uint32_t kA = 0x41;  // 'A' ... 'Z' are 0x41 ... 0x5A
constexpr std::uint32_t kI = 0x49;
constexpr std::uint32_t kNumpad0 = 0x60;  // ... kNumpad0 + 9
constexpr std::uint32_t kMultiply = 0x6A;
constexpr std::uint32_t kAdd = 0x6B;
constexpr std::uint32_t kSubtract = 0x6D;
constexpr std::uint32_t kDecimal = 0x6E;
constexpr std::uint32_t kDivide = 0x6F;
constexpr std::uint32_t kF1 = 0x70;  // ... kF1 + 11 is F12
constexpr std::uint32_t kF12 = 0x7B;
constexpr std::uint32_t kOem1 = 0xBA;  // ;:
constexpr std::uint32_t kOemPlus = 0xBB;
constexpr std::uint32_t kOemComma = 0xBC;
constexpr std::uint32_t kOemMinus = 0xBD;
constexpr std::uint32_t kOemPeriod = 0xBE;
constexpr std::uint32_t kOem2 = 0xBF;  // /?
constexpr std::uint32_t kOem3 = 0xC0;  // `~
constexpr std::uint32_t kOem4 = 0xDB;  // [{
constexpr std::uint32_t kOem5 = 0xDC;  // \|
constexpr std::uint32_t kOem6 = 0xDD;  // ]}
constexpr std::uint32_t kOem7 = 0xDE;  // '"
}  // namespace vk

}  // namespace pestrol
