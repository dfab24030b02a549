// The cost of our own work in the rendering core: submitting a primitive (against the do-nothing
// GL table, so the driver is not measured) and generating normals.
#include <benchmark/benchmark.h>

#include "geometry/TGLPrimitive.h"
#include "gl/OpenGL12.h"

namespace {

// A grid of columns x rows vertices in the z = 0 plane with a gentle bump, as indexed triangles.
void MakeGrid(TGLPrimitive& p, int columns, int rows) {
    p.Vertices.SetCount(columns * rows);
    for (int r = 0; r < rows; ++r)
        for (int c = 0; c < columns; ++c)
            p.Vertices.SetVector(r * columns + c, static_cast<Single>(c), static_cast<Single>(r),
                                 static_cast<Single>((c * r) % 7) * 0.1f);
    p.Indices.SetCount((columns - 1) * (rows - 1) * 6);
    int i = 0;
    for (int r = 0; r + 1 < rows; ++r)
        for (int c = 0; c + 1 < columns; ++c) {
            const int v = r * columns + c;
            for (int index : {v, v + 1, v + columns + 1, v, v + columns + 1, v + columns})
                p.Indices.SetIndex(i++, index);
        }
    p.TexCoords.SetCount(columns * rows);
    p.Colors.SetCount(1);
    p.BuildNormals();
}

class NullTable {
  public:
    NullTable() : FSaved(quillaby::gl::entryPoints) {
        quillaby::gl::entryPoints = quillaby::gl::nullEntryPoints();
    }
    ~NullTable() { quillaby::gl::entryPoints = FSaved; }

  private:
    quillaby::gl::GLEntryPoints FSaved;
};

void DrawQuad(benchmark::State& state) {
    NullTable table;
    TGLPrimitive p;
    MakeGrid(p, 2, 2);
    for (auto _ : state) p.Draw();
}
BENCHMARK(DrawQuad);

void Draw2000Vertices(benchmark::State& state) {
    NullTable table;
    TGLPrimitive p;
    MakeGrid(p, 40, 50);
    for (auto _ : state) p.Draw();
}
BENCHMARK(Draw2000Vertices);

void BuildNormals2000Vertices(benchmark::State& state) {
    TGLPrimitive p;
    MakeGrid(p, 40, 50);
    for (auto _ : state) {
        p.BuildNormals();
        benchmark::DoNotOptimize(p.Normals.Data());
    }
    state.SetItemsProcessed(state.iterations() * p.Indices.Count() / 3);
}
BENCHMARK(BuildNormals2000Vertices);

} // namespace
