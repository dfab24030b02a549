#pragma once
// TGLLight: one OpenGL light (GL_LIGHT0 + Number). Each setter marks its value as changed; Update
// sends only the marked values, so an unchanged light costs no OpenGL call.
#include <cstdint>

#include "math/Geometry.h"

class TGLLight {
  public:
    // Change bits, one per value.
    static constexpr uint32_t lcAmbient = 0x0001;
    static constexpr uint32_t lcDiffuse = 0x0002;
    static constexpr uint32_t lcSpecular = 0x0008;
    static constexpr uint32_t lcDirectional = 0x0040;
    static constexpr uint32_t lcPosition = 0x0080;
    static constexpr uint32_t lcDirection = 0x0100;
    static constexpr uint32_t lcSpotExponent = 0x0200;
    static constexpr uint32_t lcSpotCutoff = 0x0400;
    static constexpr uint32_t lcConstantAttenuation = 0x0800;
    static constexpr uint32_t lcLinearAttenuation = 0x1000;
    static constexpr uint32_t lcQuadraticAttenuation = 0x2000;
    static constexpr uint32_t lcTwoSide = 0x4000;
    static constexpr uint32_t lcLocalViewer = 0x8000;
    static constexpr uint32_t lcAll = 0xFFCB;

    void SetAmbient(const TGLColor& Value) { Set(FAmbient, Value, lcAmbient); }
    void SetDiffuse(const TGLColor& Value) { Set(FDiffuse, Value, lcDiffuse); }
    void SetSpecular(const TGLColor& Value) { Set(FSpecular, Value, lcSpecular); }
    // Place of a positional light, in the model-view space current at Update.
    void SetPosition(const TGLVector& Value) { Set(FPosition, Value, lcPosition); }
    // Where the light shines: the spot direction, or the direction of a directional light.
    void SetDirection(const TGLVector& Value) { Set(FDirection, Value, lcDirection); }
    void SetSpotExponent(Single Value) { Set(FSpotExponent, Value, lcSpotExponent); }
    // Degrees; 180 is no spot.
    void SetSpotCutoff(Single Value) { Set(FSpotCutoff, Value, lcSpotCutoff); }
    void SetConstantAttenuation(Single Value) { Set(FConstantAttenuation, Value, lcConstantAttenuation); }
    void SetLinearAttenuation(Single Value) { Set(FLinearAttenuation, Value, lcLinearAttenuation); }
    void SetQuadraticAttenuation(Single Value) { Set(FQuadraticAttenuation, Value, lcQuadraticAttenuation); }
    void SetDirectional(bool Value) { Set(FDirectional, Value, lcDirectional); }
    // Light-model values: global to the context, though each light carries and sends them.
    void SetLocalViewer(bool Value) { Set(FLocalViewer, Value, lcLocalViewer); }
    void SetTwoSide(bool Value) { Set(FTwoSide, Value, lcTwoSide); }
    // Another light slot: everything is sent again to it.
    void SetNumber(int Value) {
        FNumber = Value;
        FChanges |= lcAll;
    }

    // Sends the changed values, then forgets the changes.
    void Update();
    // Sends every value.
    void UpdateAll();
    // Sends every value and switches the light on.
    void Enable();

    const TGLColor& Ambient() const { return FAmbient; }
    const TGLColor& Diffuse() const { return FDiffuse; }
    const TGLColor& Specular() const { return FSpecular; }
    const TGLVector& Position() const { return FPosition; }
    const TGLVector& Direction() const { return FDirection; }
    Single SpotExponent() const { return FSpotExponent; }
    Single SpotCutoff() const { return FSpotCutoff; }
    Single ConstantAttenuation() const { return FConstantAttenuation; }
    Single LinearAttenuation() const { return FLinearAttenuation; }
    Single QuadraticAttenuation() const { return FQuadraticAttenuation; }
    bool Directional() const { return FDirectional; }
    bool LocalViewer() const { return FLocalViewer; }
    bool TwoSide() const { return FTwoSide; }
    int Number() const { return FNumber; }
    uint32_t Changes() const { return FChanges; }

  private:
    template <class T> void Set(T& field, const T& value, uint32_t bit) {
        field = value;
        FChanges |= bit;
    }

    TGLColor FAmbient{0, 0, 0, 1};
    TGLColor FDiffuse{1, 1, 1, 1};
    TGLColor FSpecular{1, 1, 1, 1};
    TGLVector FPosition{0, 0, 1};
    TGLVector FDirection{0, 0, -1};
    Single FSpotExponent = 0;
    Single FSpotCutoff = 180;
    Single FConstantAttenuation = 1;
    Single FLinearAttenuation = 0;
    Single FQuadraticAttenuation = 0;
    bool FDirectional = true;
    bool FLocalViewer = false;
    bool FTwoSide = false;
    int FNumber = 0;
    uint32_t FChanges = lcAll;
};
