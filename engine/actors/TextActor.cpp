#include "engine/actors/TextActor.h"

#include "engine/log/CompoundLog.h"
#include "engine/math/MathUtil.h"
#include "engine/messaging/Message.h"
#include "engine/messaging/Switchboard.h"
#include "engine/rendering/Camera.h"
#include "engine/rendering/FontRegistry.h"
#include "engine/rendering/TextBatch.h"
#include "engine/util/StringUtil.h"

#include <GL/gl.h>

#include <algorithm>
#include <cmath>

namespace
{
const float kRadiansPerDegree = 0.01745329052209854f;

// Not-a-number is out of range too.
bool InTextRange(const Vector2& pixel)
{
    return std::fabs(pixel.X) <= kFarthestTextPixel && std::fabs(pixel.Y) <= kFarthestTextPixel;
}

bool IsKnownAlignment(TextAlignment alignment)
{
    return alignment == TXT_Left || alignment == TXT_Center || alignment == TXT_Right;
}

// How far a line starts from the anchor along its own baseline.
float AlignmentOffset(TextAlignment alignment, float width)
{
    if (alignment == TXT_Center)
    {
        return -width * 0.5f;
    }
    return alignment == TXT_Right ? -width : 0.0f;
}
}

TextActor::TextActor(const String& fontNickname, const String& displayString,
                     TextAlignment align, int lineSpacing)
    : _fontNickname(fontNickname), _alignment(align), _lineSpacing(lineSpacing), _outOfDrawingRange(false)
{
    SetColor(0.0f, 0.0f, 0.0f, 1.0f);
    SetDisplayString(displayString);
    Switchboard::GetInstance()->SubscribeTo(this, "CameraChange");
}

TextActor::~TextActor() {}

void TextActor::Render()
{
    const Color color = GetColor();
    glColor4f(color.R, color.G, color.B, color.A);
    TextBatch& batch = TextBatch::Shared();
    if (AddToBatch(batch))
    {
        batch.Flush();
        return;
    }
    const float rotation = ScreenRotation();
    ScreenTextRun run(_fontNickname);
    for (const TextLine& line : _lines)
    {
        run.Draw(line.Text, ToTextPixel(line.Position.X), ToTextPixel(line.Position.Y), rotation);
    }
}

float TextActor::ScreenRotation() const { return Camera::GetInstance()->GetRotation() + GetRotation(); }

FontGlyphs* TextActor::BatchGlyphs() const
{
    if (!TextBatch::IsEnabled() || ScreenRotation() != 0.0f)
    {
        return 0;
    }
    for (const TextLine& line : _lines)
    {
        if (!TextBatch::CanAdd(line.Text))
        {
            return 0;
        }
    }
    return FindFontGlyphs(_fontNickname);
}

bool TextActor::CanBatch() const { return BatchGlyphs() != 0; }

bool TextActor::AddToBatch(TextBatch& batch) const
{
    FontGlyphs* glyphs = BatchGlyphs();
    if (glyphs == 0)
    {
        return false;
    }
    // Set even when there is no line to draw in it, as Render sets it.
    batch.SetColor(GetColor());
    for (const TextLine& line : _lines)
    {
        batch.Add(*glyphs, line.Text, ToTextPixel(line.Position.X), ToTextPixel(line.Position.Y), GetColor());
    }
    return true;
}

BoundingBox TextActor::GetBoundingBox() const { return _boundingBox; }

void TextActor::SetPosition(float x, float y)
{
    Actor::SetPosition(x, y);
    Relayout();
}

void TextActor::SetPosition(const Vector2& position)
{
    Actor::SetPosition(position);
    Relayout();
}

void TextActor::SetRotation(float rotation)
{
    Actor::SetRotation(rotation);
    Relayout();
}

String TextActor::GetClassName() const { return "TextActor"; }

void TextActor::ReceiveMessage(Message* message)
{
    if (message->GetMessageName() == "CameraChange")
    {
        Relayout();
    }
}

void TextActor::SetDisplayString(const String& newString)
{
    _displayString = newString;
    _lines.clear();
    const StringList pieces = SplitString(newString, "\n", false);
    for (const String& piece : pieces)
    {
        TextLine line;
        line.Text = piece;
        _lines.push_back(line);
    }
    Relayout();
}

void TextActor::SetFont(const String& newFontNickname)
{
    _fontNickname = newFontNickname;
    Relayout();
}

void TextActor::SetAlignment(TextAlignment newAlignment)
{
    _alignment = newAlignment;
    Relayout();
}

void TextActor::SetLineSpacing(int lineSpacing)
{
    _lineSpacing = lineSpacing;
    Relayout();
}

void TextActor::Relayout()
{
    const Vector2 maxExtents = MeasureLines();
    PlaceLines(maxExtents);
    UpdateBoundingBox(maxExtents);
}

Vector2 TextActor::MeasureLines()
{
    Vector2 maxExtents;
    for (TextLine& line : _lines)
    {
        line.Extents = GetTextExtents(line.Text, _fontNickname);
        maxExtents.X = std::max(maxExtents.X, line.Extents.X);
        maxExtents.Y = std::max(maxExtents.Y, line.Extents.Y);
    }
    return maxExtents;
}

void TextActor::PlaceLines(const Vector2& maxExtents)
{
    if (!IsKnownAlignment(_alignment))
    {
        return;
    }
    Vector2 anchor = MathUtil::WorldToScreen(GetPosition());
    // Screen y runs downward, so the text turns the other way round from the world.
    const float angle = -(Camera::GetInstance()->GetRotation() + GetRotation()) * kRadiansPerDegree;
    const float cosine = std::cos(angle);
    const float sine = std::sin(angle);
    // Every line advances by the tallest line's height, so lines sit on an even pitch.
    const float advance = static_cast<float>(_lineSpacing) + maxExtents.Y;
    bool outOfRange = false;
    for (TextLine& line : _lines)
    {
        const float offset = AlignmentOffset(_alignment, line.Extents.X);
        line.Position = anchor + Vector2(offset * cosine, offset * sine);
        outOfRange = outOfRange || !InTextRange(line.Position);
        anchor += Vector2(-advance * sine, advance * cosine);
    }
    NoteDrawingRange(outOfRange);
}

// Warns once each time the text goes out of range: a moving camera lays it out every frame.
void TextActor::NoteDrawingRange(bool outOfRange)
{
    if (outOfRange && !_outOfDrawingRange)
    {
        const Vector2 position = GetPosition();
        CompoundLog::GetSystemLog().Printf(
            "WARNING: A TextActor at (%g, %g) lies too far off the window to be drawn there; its "
            "lines are drawn %g pixels away.", position.X, position.Y, kFarthestTextPixel);
    }
    _outOfDrawingRange = outOfRange;
}

void TextActor::UpdateBoundingBox(const Vector2& maxExtents)
{
    if (!IsKnownAlignment(_alignment))
    {
        return;
    }
    const Vector2 position = GetPosition();
    const float width = MathUtil::PixelsToWorldUnits(maxExtents.X);
    const float height = MathUtil::PixelsToWorldUnits(maxExtents.Y);
    const float pitch = MathUtil::PixelsToWorldUnits(static_cast<float>(_lineSpacing) + maxExtents.Y);
    const float lineCount = static_cast<float>(_lines.size());

    const float left = position.X + AlignmentOffset(_alignment, width);
    _boundingBox.Min = Vector2(left, position.Y - (lineCount - 1.0f) * pitch);
    _boundingBox.Max = Vector2(left + width, position.Y + height);
}
