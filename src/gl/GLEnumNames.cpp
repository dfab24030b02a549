#include "gl/GLEnumNames.h"

#include <cstdio>
#include <unordered_map>

namespace quillaby::gl {

namespace {

struct Named {
    GLenum value;
    const char* name;
};

#define N(e)                                                                                                 \
    Named {                                                                                                  \
        e, #e                                                                                                \
    }
// Where two constants share a value, the first listed wins.
constexpr Named knownEnums[] = {
    N(GL_ZERO),
    N(GL_ONE),
    // capabilities
    N(GL_ALPHA_TEST),
    N(GL_BLEND),
    N(GL_COLOR_MATERIAL),
    N(GL_CULL_FACE),
    N(GL_DEPTH_TEST),
    N(GL_DITHER),
    N(GL_FOG),
    N(GL_LIGHTING),
    N(GL_LINE_SMOOTH),
    N(GL_NORMALIZE),
    N(GL_POINT_SMOOTH),
    N(GL_POLYGON_SMOOTH),
    N(GL_POLYGON_OFFSET_FILL),
    N(GL_RESCALE_NORMAL),
    N(GL_SCISSOR_TEST),
    N(GL_STENCIL_TEST),
    N(GL_TEXTURE_1D),
    N(GL_TEXTURE_2D),
    N(GL_TEXTURE_GEN_S),
    N(GL_TEXTURE_GEN_T),
    N(GL_TEXTURE_GEN_R),
    N(GL_TEXTURE_GEN_Q),
    N(GL_VERTEX_ARRAY),
    N(GL_NORMAL_ARRAY),
    N(GL_COLOR_ARRAY),
    N(GL_TEXTURE_COORD_ARRAY),
    N(GL_LIGHT0),
    N(GL_LIGHT1),
    N(GL_LIGHT2),
    N(GL_LIGHT3),
    N(GL_LIGHT4),
    N(GL_LIGHT5),
    N(GL_LIGHT6),
    N(GL_LIGHT7),
    // lights and materials
    N(GL_AMBIENT),
    N(GL_DIFFUSE),
    N(GL_SPECULAR),
    N(GL_POSITION),
    N(GL_SPOT_DIRECTION),
    N(GL_SPOT_EXPONENT),
    N(GL_SPOT_CUTOFF),
    N(GL_CONSTANT_ATTENUATION),
    N(GL_LINEAR_ATTENUATION),
    N(GL_QUADRATIC_ATTENUATION),
    N(GL_EMISSION),
    N(GL_SHININESS),
    N(GL_AMBIENT_AND_DIFFUSE),
    N(GL_LIGHT_MODEL_AMBIENT),
    N(GL_LIGHT_MODEL_LOCAL_VIEWER),
    N(GL_LIGHT_MODEL_TWO_SIDE),
    N(GL_FRONT),
    N(GL_BACK),
    N(GL_FRONT_AND_BACK),
    N(GL_CW),
    N(GL_CCW),
    // matrices, shading, polygons, hints
    N(GL_MODELVIEW),
    N(GL_PROJECTION),
    N(GL_TEXTURE),
    N(GL_FLAT),
    N(GL_SMOOTH),
    N(GL_POINT),
    N(GL_LINE),
    N(GL_FILL),
    N(GL_PERSPECTIVE_CORRECTION_HINT),
    N(GL_POINT_SMOOTH_HINT),
    N(GL_LINE_SMOOTH_HINT),
    N(GL_POLYGON_SMOOTH_HINT),
    N(GL_FOG_HINT),
    N(GL_DONT_CARE),
    N(GL_FASTEST),
    N(GL_NICEST),
    // comparisons and blending
    N(GL_NEVER),
    N(GL_LESS),
    N(GL_EQUAL),
    N(GL_LEQUAL),
    N(GL_GREATER),
    N(GL_NOTEQUAL),
    N(GL_GEQUAL),
    N(GL_ALWAYS),
    N(GL_SRC_COLOR),
    N(GL_ONE_MINUS_SRC_COLOR),
    N(GL_SRC_ALPHA),
    N(GL_ONE_MINUS_SRC_ALPHA),
    N(GL_DST_ALPHA),
    N(GL_ONE_MINUS_DST_ALPHA),
    N(GL_DST_COLOR),
    N(GL_ONE_MINUS_DST_COLOR),
    N(GL_SRC_ALPHA_SATURATE),
    N(GL_FUNC_ADD),
    N(GL_KEEP),
    N(GL_REPLACE),
    N(GL_INCR),
    N(GL_DECR),
    N(GL_INVERT),
    // fog
    N(GL_FOG_MODE),
    N(GL_FOG_DENSITY),
    N(GL_FOG_START),
    N(GL_FOG_END),
    N(GL_FOG_COLOR),
    N(GL_EXP),
    N(GL_EXP2),
    N(GL_LINEAR),
    // textures
    N(GL_TEXTURE_ENV),
    N(GL_TEXTURE_ENV_MODE),
    N(GL_TEXTURE_ENV_COLOR),
    N(GL_MODULATE),
    N(GL_DECAL),
    N(GL_TEXTURE0),
    N(GL_TEXTURE1),
    N(GL_TEXTURE2),
    N(GL_MAX_TEXTURE_UNITS),
    N(GL_COMBINE),
    N(GL_COMBINE_RGB),
    N(GL_COMBINE_ALPHA),
    N(GL_INTERPOLATE),
    N(GL_CONSTANT),
    N(GL_PRIMARY_COLOR),
    N(GL_PREVIOUS),
    N(GL_SOURCE0_RGB),
    N(GL_SOURCE1_RGB),
    N(GL_SOURCE2_RGB),
    N(GL_SOURCE0_ALPHA),
    N(GL_OPERAND0_RGB),
    N(GL_OPERAND1_RGB),
    N(GL_OPERAND2_RGB),
    N(GL_OPERAND0_ALPHA),
    N(GL_TEXTURE_MAG_FILTER),
    N(GL_TEXTURE_MIN_FILTER),
    N(GL_TEXTURE_WRAP_S),
    N(GL_TEXTURE_WRAP_T),
    N(GL_TEXTURE_PRIORITY),
    N(GL_NEAREST),
    N(GL_NEAREST_MIPMAP_NEAREST),
    N(GL_LINEAR_MIPMAP_NEAREST),
    N(GL_NEAREST_MIPMAP_LINEAR),
    N(GL_LINEAR_MIPMAP_LINEAR),
    N(GL_CLAMP),
    N(GL_REPEAT),
    N(GL_CLAMP_TO_EDGE),
    N(GL_TEXTURE_BORDER_COLOR),
    N(GL_TEXTURE_GEN_MODE),
    N(GL_SPHERE_MAP),
    N(GL_OBJECT_LINEAR),
    N(GL_EYE_LINEAR),
    N(GL_OBJECT_PLANE),
    N(GL_EYE_PLANE),
    N(GL_S),
    N(GL_T),
    N(GL_R),
    N(GL_Q),
    N(GL_TEXTURE_WIDTH),
    N(GL_TEXTURE_HEIGHT),
    N(GL_TEXTURE_BINDING_2D),
    // pixel formats and types
    N(GL_ALPHA),
    N(GL_RGB),
    N(GL_RGBA),
    N(GL_LUMINANCE),
    N(GL_LUMINANCE_ALPHA),
    N(GL_RGB8),
    N(GL_RGBA8),
    N(GL_ALPHA8),
    N(GL_LUMINANCE8),
    N(GL_BGR),
    N(GL_BGRA),
    N(GL_BYTE),
    N(GL_UNSIGNED_BYTE),
    N(GL_SHORT),
    N(GL_UNSIGNED_SHORT),
    N(GL_INT),
    N(GL_UNSIGNED_INT),
    N(GL_FLOAT),
    N(GL_DOUBLE),
    N(GL_UNPACK_ALIGNMENT),
    N(GL_PACK_ALIGNMENT),
    N(GL_UNPACK_ROW_LENGTH),
    N(GL_FRONT_LEFT),
    N(GL_BACK_LEFT),
    // queries
    N(GL_VENDOR),
    N(GL_RENDERER),
    N(GL_VERSION),
    N(GL_EXTENSIONS),
    N(GL_VIEWPORT),
    N(GL_SCISSOR_BOX),
    N(GL_MAX_TEXTURE_SIZE),
    N(GL_MAX_LIGHTS),
    N(GL_MAX_VIEWPORT_DIMS),
    N(GL_MAX_MODELVIEW_STACK_DEPTH),
    N(GL_MAX_PROJECTION_STACK_DEPTH),
    N(GL_MAX_NAME_STACK_DEPTH),
    N(GL_RED_BITS),
    N(GL_GREEN_BITS),
    N(GL_BLUE_BITS),
    N(GL_ALPHA_BITS),
    N(GL_DEPTH_BITS),
    N(GL_STENCIL_BITS),
    N(GL_ACCUM_RED_BITS),
    N(GL_DOUBLEBUFFER),
    N(GL_POLYGON_MODE),
    N(GL_MATRIX_MODE),
    N(GL_MODELVIEW_MATRIX),
    N(GL_PROJECTION_MATRIX),
    N(GL_BLEND_SRC),
    N(GL_BLEND_DST),
    N(GL_BLEND_SRC_RGB),
    N(GL_BLEND_DST_RGB),
    N(GL_BLEND_SRC_ALPHA),
    N(GL_BLEND_DST_ALPHA),
    N(GL_BLEND_EQUATION_RGB),
    N(GL_ARRAY_BUFFER),
    N(GL_ARRAY_BUFFER_BINDING),
    N(GL_CURRENT_PROGRAM),
    // errors
    N(GL_INVALID_ENUM),
    N(GL_INVALID_VALUE),
    N(GL_INVALID_OPERATION),
    N(GL_STACK_OVERFLOW),
    N(GL_STACK_UNDERFLOW),
    N(GL_OUT_OF_MEMORY),
    // display lists
    N(GL_COMPILE),
    N(GL_COMPILE_AND_EXECUTE),
};

constexpr Named primitiveModes[] = {
    N(GL_POINTS),         N(GL_LINES),        N(GL_LINE_LOOP), N(GL_LINE_STRIP), N(GL_TRIANGLES),
    N(GL_TRIANGLE_STRIP), N(GL_TRIANGLE_FAN), N(GL_QUADS),     N(GL_QUAD_STRIP), N(GL_POLYGON),
};

constexpr Named maskBits[] = {
    N(GL_COLOR_BUFFER_BIT), N(GL_DEPTH_BUFFER_BIT), N(GL_STENCIL_BUFFER_BIT), N(GL_ACCUM_BUFFER_BIT),
    N(GL_ENABLE_BIT),       N(GL_LIGHTING_BIT),     N(GL_TEXTURE_BIT),        N(GL_TRANSFORM_BIT),
    N(GL_VIEWPORT_BIT),     N(GL_POLYGON_BIT),      N(GL_CURRENT_BIT),        N(GL_FOG_BIT),
    N(GL_HINT_BIT),         N(GL_SCISSOR_BIT),      N(GL_LINE_BIT),           N(GL_POINT_BIT),
};
#undef N

std::string hex(unsigned value) {
    char text[16];
    std::snprintf(text, sizeof text, "0x%X", value);
    return text;
}

} // namespace

std::string enumName(GLenum value) {
    static const auto names = [] {
        std::unordered_map<GLenum, const char*> map;
        for (const Named& n : knownEnums) map.emplace(n.value, n.name);
        return map;
    }();
    const auto it = names.find(value);
    return it != names.end() ? it->second : hex(value);
}

std::string primitiveModeName(GLenum mode) {
    for (const Named& n : primitiveModes)
        if (n.value == mode) return n.name;
    return std::to_string(mode);
}

std::string bitmaskName(GLbitfield mask) {
    if (mask == GL_ALL_ATTRIB_BITS) return "GL_ALL_ATTRIB_BITS";
    if (mask == GL_CLIENT_ALL_ATTRIB_BITS) return "GL_CLIENT_ALL_ATTRIB_BITS";
    std::string text;
    GLbitfield rest = mask;
    for (const Named& n : maskBits) {
        if ((rest & n.value) != n.value) continue;
        text += (text.empty() ? "" : "|") + std::string(n.name);
        rest &= ~n.value;
    }
    if (rest || text.empty()) text += (text.empty() ? "" : "|") + hex(rest);
    return text;
}

int parameterValueCount(GLenum pname) {
    switch (pname) {
    case GL_AMBIENT:
    case GL_DIFFUSE:
    case GL_SPECULAR:
    case GL_POSITION:
    case GL_EMISSION:
    case GL_AMBIENT_AND_DIFFUSE:
    case GL_LIGHT_MODEL_AMBIENT:
    case GL_FOG_COLOR:
    case GL_TEXTURE_ENV_COLOR:
    case GL_TEXTURE_BORDER_COLOR:
    case GL_OBJECT_PLANE:
    case GL_EYE_PLANE:
        return 4;
    case GL_SPOT_DIRECTION:
    case GL_COLOR_INDEXES:
        return 3;
    default:
        return 1;
    }
}

} // namespace quillaby::gl
