#include "editor/resources/Skorvane3Binaries.h"

namespace Skorvane3Binaries
{

// Background of the editor: a dot grid (one pixel every 10 pixels: pixelPos
// holds pixel centres, so only the first row and column of each 10 pass the
// test) over a vertical gradient from grey 0.25 at the top edge to black at
// y = 300. pixelPos and pixelAlpha are supplied by JUCE's custom-shader wrapper.
static const char vignetteShaderText[] =
    "#ifdef GL_ES\r\n"
    "precision mediump float;\r\n"
    "#endif\r\n"
    "\r\n"
    "void main()\r\n"
    "{\r\n"
    "    vec4 topColour = vec4 (0.25, 0.25, 0.25, 1.0);\r\n"
    "    vec4 bottomColour = vec4 (0.0, 0.0, 0.0, 1.0);\r\n"
    "\r\n"
    "    if (mod (pixelPos.y, 10.0) <= 1.0 && mod (pixelPos.x, 10.0) <= 1.0)\r\n"
    "    {\r\n"
    "        gl_FragColor = vec4 (0.2, 0.2, 0.2, 1.0);\r\n"
    "    }\r\n"
    "    else\r\n"
    "    {\r\n"
    "        float t = pixelPos.y / 300.0;\r\n"
    "        gl_FragColor = pixelAlpha * ((1.0 - t) * topColour + t * bottomColour);\r\n"
    "    }\r\n"
    "}\r\n";

const char* vignette_shader_frag_glsl = vignetteShaderText;
const int vignette_shader_frag_glslSize = (int) sizeof (vignetteShaderText);

} // namespace Skorvane3Binaries
