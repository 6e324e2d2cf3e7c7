#pragma once

#include "gui/IMStaticPictureBase.h"

namespace pestrol {

// Editable text: a cursor, a blinking one-pixel caret beside the text (in layer 1 of the
// same parent) and the keys for typing, deleting and moving the cursor, also between
// wrapped lines.
class IMTextEdit : public IMCaption {
public:
    static constexpr std::uint32_t kBlinkInterval = 500;

    explicit IMTextEdit(IMDialog* parent);
    ~IMTextEdit() override;

    virtual long OnKey(const IMKeyboardEvent& e);

    // Clamped to 0 ... the number of characters.
    void SetCursor(std::int32_t position);
    std::int32_t GetCursor() const { return m_cursor; }
    // Places the caret after the character before the cursor, as high as that character.
    long UpdateCaret();
    // Toggles the caret of a focused edit; an unfocused one keeps it hidden.
    long Blink();
    IMPicture* GetCaret() const { return m_caret; }

    // Tab, line feed, carriage return, escape and backspace are never typed.
    static bool IsTypable(std::uint32_t character);

private:
    void OnCharacter(std::uint32_t character);
    void OnKeyDown(std::uint32_t key);
    void MoveUp();
    void MoveDown();
    std::size_t CurrentLine() const;
    std::int32_t CurrentColumn() const;
    std::int32_t CaretHeight();

    std::int32_t m_cursor = 0;
    std::int32_t m_blinkTimer = 0;
    IMPicture* m_caret;
};

}  // namespace pestrol
