#include "mesh/mesh_data.h"

namespace ovek {

std::string meshCountProblem(uint64_t points, uint64_t faces)
{
    if (faces > kMaxModelFaces)
        return "the model has " + std::to_string(faces) + " faces; the limit is " +
               std::to_string(kMaxModelFaces);
    if (points > kMaxModelPoints)
        return "the model has " + std::to_string(points) + " points; the limit is " +
               std::to_string(kMaxModelPoints);
    return "";
}

void meshFromData(const MeshData& data, const Point3D& min, const Point3D& max, Component3D* mesh)
{
    mesh->operating = 1;
    mesh->clear();
    const size_t n = data.pointCount();
    mesh->points.reserve(n);
    mesh->staticPoints.reserve(n);
    // The 3DS reader leaves "up" along -y for the fit's box to turn over; a
    // y-up file is mirrored in y to match, so both kinds stand the same way.
    for (size_t i = 0; i < n; ++i) {
        const double* p = &data.xyz[3 * i];
        mesh->staticPoints.push_back(std::make_unique<Point3D>(p[0], -p[1], p[2]));
        mesh->points.push_back(std::make_unique<Point3D>(p[0], -p[1], p[2]));
    }
    mesh->faces.reserve(data.faceCount());
    for (size_t f = 0; f < data.faceCount(); ++f) {
        const uint32_t* c = &data.corners[3 * f];
        mesh->faces.push_back(std::make_unique<Triangle3D>(
            mesh->points[c[0]].get(), mesh->points[c[1]].get(), mesh->points[c[2]].get()));
    }
    mesh->setSize2(&min, &max);
    ++mesh->changeCount;
    mesh->operating = 0;
    ++mesh->changeCount;
}

}  // namespace ovek
