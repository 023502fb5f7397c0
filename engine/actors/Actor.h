#pragma once

#include "engine/actors/Interval.h"
#include "engine/actors/TagCollection.h"
#include "engine/core/Renderable.h"
#include "engine/math/BoundingBox.h"
#include "engine/math/Color.h"
#include "engine/math/Vector2.h"
#include "engine/messaging/MessageListener.h"
#include "engine/util/StringTypes.h"

#include <GL/gl.h>

#include <map>

#define MAX_SPRITE_FRAMES 64

class SpriteBatch;

// Both enums take any int as a valid value: scripts may pass any number for them.
enum actorDrawShape : int
{
    ADS_Square = 0,
    ADS_Circle = 1,
    ADS_DisplayList = 2
};

enum spriteAnimationType : int
{
    SAT_None = 0,
    SAT_Loop = 1,
    SAT_PingPong = 2,
    SAT_OneShot = 3
};

// The engine's drawable object: a coloured, optionally textured square, circle or display
// list with a position, a size and a rotation, drawn on a layer of the World. It carries
// timed changes of its position, rotation, colour, alpha and size, a sprite of up to
// MAX_SPRITE_FRAMES frames with a frame animation, tags, and a unique name.
class Actor : public Renderable, public MessageListener
{
public:
    Actor();
    virtual ~Actor();

    void Update(float dt) override;
    void Render() override;
    // What Render draws for a square or circle, added to batch instead of drawn now.
    void AddToBatch(SpriteBatch& batch) const;

    // Size: negative components become 0; SetSize(x) and SetSize(x, 0) make a square.
    virtual void SetSize(const Vector2& newSize);
    virtual void SetSize(float x, float y = -1.0f);
    const Vector2& GetSize() const { return _size; }
    // Ignores the rotation.
    virtual BoundingBox GetBoundingBox() const;

    virtual void SetPosition(const Vector2& position);
    virtual void SetPosition(float x, float y);
    const Vector2& GetPosition() const { return _position; }

    // Degrees, counter-clockwise, not wrapped.
    virtual void SetRotation(float rotation);
    float GetRotation() const { return _rotation; }

    // Clamped into 0..1 per component.
    void SetColor(float r, float g, float b, float a = 1.0f);
    void SetColor(const Color& color);
    const Color& GetColor() const { return _color; }
    // Stored as given.
    void SetAlpha(float newAlpha);
    float GetAlpha() const { return _color.A; }

    void SetUVs(const Vector2& lowerLeft, const Vector2& upperRight);
    void GetUVs(Vector2& lowerLeft, Vector2& upperRight) const;

    virtual void SetDrawShape(actorDrawShape drawShape);
    actorDrawShape GetDrawShape() const { return _drawShape; }

    // Timed changes; each replaces a running change of the same property and, when the
    // message name is not empty, broadcasts it (with this actor as sender) on arrival.
    virtual void MoveTo(const Vector2& newPosition, float duration, bool smooth = false,
                        String onCompletionMessage = "");
    virtual void RotateTo(float newRotation, float duration, bool smooth = false,
                          String onCompletionMessage = "");
    void ChangeColorTo(const Color& newColor, float duration, bool smooth = false,
                       String onCompletionMessage = "");
    void ChangeAlphaTo(float newAlpha, float duration, bool smooth = false, String onCompletionMessage = "");
    virtual void ChangeSizeTo(float newSize, float duration, bool smooth = false,
                              String onCompletionMessage = "");
    virtual void ChangeSizeTo(const Vector2& newSize, float duration, bool smooth = false,
                              String onCompletionMessage = "");

    // Sprites. Texture names come from the texture cache; -1 means none.
    bool SetSprite(const String& filename, int frame = 0, GLint clampmode = GL_CLAMP,
                   GLint filtermode = GL_LINEAR, bool optional = false);
    int GetSpriteTexture(int frame = 0) const;
    void ClearSpriteInfo();
    void SetSpriteFrame(int frame);
    int GetSpriteFrame() const { return _spriteCurrentFrame; }
    int GetSpriteFrameCount() const { return _spriteNumFrames; }
    bool IsSpriteAnimPlaying() const { return _spriteFrameDelay > 0.0f; }
    void PlaySpriteAnimation(float delay, spriteAnimationType animType = SAT_Loop, int startFrame = -1,
                             int endFrame = -1, const char* animName = 0);
    // Loads somename_001.png, somename_002.png, ... until the first gap in the numbering.
    void LoadSpriteFrames(const String& firstFilename, GLint clampmode = GL_CLAMP,
                          GLint filtermode = GL_LINEAR);
    // Called when a named one-shot animation has shown its last frame.
    virtual void SpriteAnimationFinished(String animationName);

    // Tags: separated by commas or blanks, stored lower-cased.
    void Tag(const String& newTags);
    void Untag(const String& oldTag);
    bool IsTagged(const String& tag) const;
    const StringSet& GetTags() const { return _tags; }

    // Names: an empty name becomes the class name, the first letter is upper-cased, and a
    // counter is appended when another actor holds the name. Returns the name given.
    const String& SetName(String newName);
    const String& GetName() const { return _name; }
    // Exact, case-sensitive; null when no actor holds the name.
    static Actor* GetNamed(const String& nameLookup);
    // Starts the clash counter from 1 again, as in a fresh program; for test programs. Names
    // still held are skipped as always.
    static void RestartNameCounter();

    // Deferred to the next simulated tick.
    void SetLayer(int layerIndex);
    void SetLayer(const String& layerName);

    // Kept, not deleted, by an unload of the World.
    virtual void LevelUnloaded();
    virtual bool IsMoving() const;
    virtual String GetClassName() const;
    Actor* GetSelf() { return this; }

    // The script function "Actor_CreateAndRegister" makes an actor from the named definition
    // and hands it back through SetScriptCreatedActor. Null when the script fails (logged)
    // or hands back nothing.
    static Actor* CreateByScript(const String& actorDefinition);
    static void SetScriptCreatedActor(Actor* actor);

    void ReceiveMessage(Message* message) override;

protected:
    void SetSpriteTexture(int texRef, int frame = 0);
    void UpdateSpriteAnimation(float dt);
    // Draws the shape in the current transformation, textured with tex when it is >= 0.
    void DrawShape(int tex);
    // Places, tints and draws the shape at the given point of the current projection;
    // Render uses the actor's own position, screen-space subclasses a converted one.
    void DrawAt(const Vector2& position);

    Vector2 _size;
    Vector2 _position;
    Color _color;
    float _rotation;
    Vector2 _UVs[4];
    actorDrawShape _drawShape;
    // Whether one of the intervals (below, private) may be running: set by every call that
    // starts one. Kept beside what drawing reads, so the tick of an actor that changes
    // nothing reads no further into it.
    bool _intervalsActive;

    int _spriteCurrentFrame;
    int _spriteNumFrames;
    float _spriteFrameDelay;
    float _spriteCurrentFrameDelay;
    int _spriteTextureReferences[MAX_SPRITE_FRAMES];
    spriteAnimationType _spriteAnimType;
    int _spriteAnimStartFrame;
    int _spriteAnimEndFrame;
    int _spriteAnimDirection;

    int _displayListIndex;

    StringSet _tags;
    String _name;
    String _currentAnimName;

private:
    Interval<Vector2> _positionInterval;
    String _positionIntervalMessage;
    Interval<float> _rotationInterval;
    String _rotationIntervalMessage;
    Interval<float> _alphaInterval;
    String _alphaIntervalMessage;
    Interval<Color> _colorInterval;
    String _colorIntervalMessage;
    Interval<Vector2> _sizeInterval;
    String _sizeIntervalMessage;

    void StepIntervals(float dt);
    void AnnounceArrival(const String& messageName);
    void AdvanceOneFrame();
    int ClampToFrames(int frame) const;
    void ForgetName();

    typedef std::map<String, Actor*> NameRegistry;
    static NameRegistry& Names();
    static unsigned long long s_nameClashes;
    static Actor* s_scriptCreatedActor;
};
