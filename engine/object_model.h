#pragma once
// Depth fields: how high the surface stands above the base plane at a point of
// the centred picture plane (x right, y down, one unit per output pixel).

class ObjectModel {
public:
    ObjectModel() = default;
    // Decorators own the field they wrap and destroy it through this interface.
    virtual ~ObjectModel() = default;
    ObjectModel(const ObjectModel&) = delete;
    ObjectModel& operator=(const ObjectModel&) = delete;

    // Fields are read-only once built, so one field can serve several rows at once.
    virtual double height(double x, double y) const;
    virtual double dh_dx(double x, double y) const;
    virtual double dh_dy(double x, double y) const;
};

// The constant backdrop behind every layer list.
class BackLayModel : public ObjectModel {
public:
    double height(double x, double y) const override;
};
