// What the world pass reads of the game image table: the checked lookup of an
// image index, and the texture transform that shows one cell of an animation
// strip (ten cells side by side) on geometry whose texture coordinates span a
// whole image, or several repeats of it.
#pragma once

class img;

// The game image at `index`, or nullptr unless 0 <= index < the game image count.
const img* gameImageAt(int index);

// A game image as the quad primitives take it: its texture, or -1 (which they
// refuse, raising the image notice) when the index names no image; an
// animated image also gives its current cell.
struct imageRef {
    int tex = -1;
    bool animated = false;
    int frame = 0;
};
imageRef lookUpImage(int index);

// Until endAnimationCell, texture coordinates s in 0..spanS and t in 0..spanT
// land inside cell `frame` of the strip, each edge trimmed a little so that
// no neighbouring cell bleeds in.
void beginAnimationCell(int frame, float spanS, float spanT);
void endAnimationCell();

// While alive, an animated image shows its current cell across texture
// coordinates 0..spanS by 0..spanT; any other image is left alone.
class cellScope {
public:
    cellScope(const imageRef& image, float spanS, float spanT) : active(image.animated)
    {
        if (active) beginAnimationCell(image.frame, spanS, spanT);
    }
    ~cellScope()
    {
        if (active) endAnimationCell();
    }
    cellScope(const cellScope&) = delete;
    cellScope& operator=(const cellScope&) = delete;

private:
    bool active;
};
