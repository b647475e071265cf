#pragma once
// A corner of the engine's triangle list, in centred picture coordinates.

class Point3DModel {
public:
    double x = 0.0;  // output pixels, to the right of the middle column
    double y = 0.0;  // output pixels, below the middle row
    double z = 0.0;  // output pixels above the base plane

    Point3DModel() = default;
    Point3DModel(const Point3DModel&) = default;
    Point3DModel& operator=(const Point3DModel&) = default;
    Point3DModel(double px, double py, double pz) : x(px), y(py), z(pz) {}
};
