#pragma once
// TGLMaterial: surface colours and shininess for front, back or both faces. Each setter marks its
// value; Update sends only the marked values. Materials are shared by reference count.
#include <cstdint>

#include "gl/TGLItemList.h"
#include "math/Geometry.h"

class TGLMaterial : public TGLItemList {
  public:
    static constexpr uint32_t mcAmbient = 0x01;
    static constexpr uint32_t mcDiffuse = 0x02;
    static constexpr uint32_t mcSpecular = 0x08;
    static constexpr uint32_t mcEmission = 0x10;
    static constexpr uint32_t mcShininess = 0x20;
    static constexpr uint32_t mcAll = 0x3B;

    void SetAmbient(const TGLColor& Value) { Set(FAmbient, Value, mcAmbient); }
    void SetDiffuse(const TGLColor& Value) { Set(FDiffuse, Value, mcDiffuse); }
    void SetSpecular(const TGLColor& Value) { Set(FSpecular, Value, mcSpecular); }
    void SetEmission(const TGLColor& Value) { Set(FEmission, Value, mcEmission); }
    void SetShininess(Single Value) { Set(FShininess, Value, mcShininess); }
    // A new face selection sends every value again on the next Update.
    void SetFrontFace(bool Value) { Set(FFrontFace, Value, mcAll); }
    void SetBackFace(bool Value) { Set(FBackFace, Value, mcAll); }

    // Sends the changed values to the selected faces (back faces when neither is selected).
    void Update();
    void UpdateAll();

    const TGLColor& Ambient() const { return FAmbient; }
    const TGLColor& Diffuse() const { return FDiffuse; }
    const TGLColor& Specular() const { return FSpecular; }
    const TGLColor& Emission() const { return FEmission; }
    Single Shininess() const { return FShininess; }
    bool FrontFace() const { return FFrontFace; }
    bool BackFace() const { return FBackFace; }
    uint32_t Changes() const { return FChanges; }

  private:
    template <class T> void Set(T& field, const T& value, uint32_t bits) {
        field = value;
        FChanges |= bits;
    }

    TGLColor FAmbient{0.2f, 0.2f, 0.2f, 1};
    TGLColor FDiffuse{0.8f, 0.8f, 0.8f, 1};
    TGLColor FSpecular{0, 0, 0, 0};
    TGLColor FEmission{0, 0, 0, 0};
    Single FShininess = 0;
    uint32_t FChanges = mcAll;
    bool FBackFace = false;
    bool FFrontFace = true;
};
