#pragma once
// The small types a mesh is built from: points, faces over them, and the numeric
// helpers used for hit tests and for fitting a mesh into a box.

// Root of the drawable objects.
class Object3D {
public:
    unsigned char updated = 0;   // set by update()

    Object3D() = default;
    virtual ~Object3D() = default;
    Object3D(const Object3D&) = delete;
    Object3D& operator=(const Object3D&) = delete;

    virtual void show() {}
    void update() { updated = 1; }
};

// A mesh point. A plain value: copying it copies every field.
struct Point3D {
    double x = 0;                 // model space
    double y = 0;
    double z = 0;
    double nx = 0;                // point normal, written only by the normal passes
    double ny = 0;
    double nz = 0;
    unsigned char selected = 0;   // selected in the editor; set() leaves it alone
    void* link = nullptr;         // scratch slot while a mesh is copied; meaningless otherwise

    Point3D() = default;
    Point3D(double px, double py, double pz) : x(px), y(py), z(pz) {}

    Point3D* set(double px, double py, double pz)
    {
        x = px;
        y = py;
        z = pz;
        return this;
    }
    double getDistance(const Point3D* other) const;
    // Emits the point as one vertex between glBegin and glEnd.
    void show() const;
};

// A face over three points it does not own; the corner order gives the facing.
class Triangle3D : public Object3D {
public:
    Point3D* p1 = nullptr;
    Point3D* p2 = nullptr;
    Point3D* p3 = nullptr;

    Triangle3D(Point3D* a, Point3D* b, Point3D* c) : p1(a), p2(b), p3(c) {}

    // Writes the unit normal of (p1 - p2) x (p3 - p2) into out's x, y, z (zero
    // when the corners are collinear) and returns out.
    Point3D* getNormal(Point3D* out) const;
    void show() override;
    virtual bool isPointIn(double x, double y);
};

// A quadrilateral over four points it does not own, in order around it.
class Rectangle3D : public Object3D {
public:
    Point3D* p1 = nullptr;
    Point3D* p2 = nullptr;
    Point3D* p3 = nullptr;
    Point3D* p4 = nullptr;

    Rectangle3D(Point3D* a, Point3D* b, Point3D* c, Point3D* d) : p1(a), p2(b), p3(c), p4(d) {}

    void show() override;
    virtual bool isPointIn(double x, double y);
};

// Widens the box lo-hi to take in p (x, y, z only).
void widenBox(Point3D* lo, Point3D* hi, const Point3D* p);
// The argument of least magnitude, with its sign; a tie goes to the later one.
double getAbsMin(double a, double b, double c);
// Twice the area of the triangle in the x-y plane.
double getTriangleSize2D(double x1, double y1, double x2, double y2, double x3, double y3);
// Whether (x, y) lies in the triangle a, b, c seen in the x-y plane; points on
// the edges count as inside, and a degenerate triangle contains nothing.
bool isInTriangle(double x, double y, const Point3D* a, const Point3D* b, const Point3D* c);
// v without its sign when v < 0 (-0.0 stays -0.0).
double myabs(double v);
