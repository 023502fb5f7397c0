#pragma once

#include "engine/actors/Actor.h"
#include "engine/math/BoundingBox.h"
#include "engine/math/Vector2.h"
#include "engine/util/StringTypes.h"

#include <vector>

class FontGlyphs;
class TextBatch;

// Any int is a valid value of the type: scripts may pass any number for it.
enum TextAlignment : int
{
    TXT_Left = 0,
    TXT_Center = 1,
    TXT_Right = 2
};

// A string of one or more lines in a registered font, anchored at a world position but drawn
// in window pixels, so it keeps its pixel size however far the camera is. It is laid out
// again whenever it changes, moves or turns, and on every "CameraChange".
class TextActor : public Actor
{
public:
    TextActor(const String& fontNickname = "Console", const String& displayString = "",
              TextAlignment align = TXT_Left, int lineSpacing = 5);
    virtual ~TextActor();

    void Render() override;
    // World-space box of the text, rotation ignored.
    BoundingBox GetBoundingBox() const override;
    void SetPosition(float x, float y) override;
    void SetPosition(const Vector2& position) override;
    void SetRotation(float rotation) override;
    String GetClassName() const override;
    void ReceiveMessage(Message* message) override;

    // Lines are separated by "\n"; empty lines keep their place.
    void SetDisplayString(const String& newString);
    const String& GetDisplayString() const { return _displayString; }
    void SetFont(const String& newFontNickname);
    const String& GetFont() const { return _fontNickname; }
    void SetAlignment(TextAlignment newAlignment);
    TextAlignment GetAlignment() const { return _alignment; }
    // Extra pixels between lines, added to the tallest line's height.
    void SetLineSpacing(int lineSpacing);
    int GetLineSpacing() const { return _lineSpacing; }

    // Whether the lines can go through a TextBatch: text batching is on, the text is
    // unturned on screen, its font has captured glyphs and every character is printable ASCII.
    bool CanBatch() const;
    // Adds the lines to batch as Render would draw them; false, adding nothing, when
    // CanBatch is false. The batch must be flushed before the font is unregistered.
    bool AddToBatch(TextBatch& batch) const;

private:
    struct TextLine
    {
        String Text;
        Vector2 Extents;
        Vector2 Position;
    };

    float ScreenRotation() const;
    // The glyphs to batch the lines with; null when CanBatch is false.
    FontGlyphs* BatchGlyphs() const;
    void Relayout();
    Vector2 MeasureLines();
    void PlaceLines(const Vector2& maxExtents);
    void NoteDrawingRange(bool outOfRange);
    void UpdateBoundingBox(const Vector2& maxExtents);

    String _fontNickname;
    String _displayString;
    TextAlignment _alignment;
    std::vector<TextLine> _lines;
    int _lineSpacing;
    BoundingBox _boundingBox;
    // The last layout kept a line from lying where the text is, too far off the window.
    bool _outOfDrawingRange;
};
