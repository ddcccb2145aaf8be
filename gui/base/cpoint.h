// A point in toolkit coordinates: origin top-left, y growing downwards.
#pragma once

namespace VSTGUI
{

struct CPoint
{
	constexpr CPoint() = default;
	constexpr CPoint(double x, double y) : x(x), y(y) {}

	CPoint& offset(double dx, double dy);
	CPoint& offset(const CPoint& delta) { return offset(delta.x, delta.y); }
	// Each coordinate becomes floor(v + 0.5).
	CPoint& makeIntegral();

	bool operator==(const CPoint& other) const = default;
	CPoint operator+(const CPoint& other) const { return {x + other.x, y + other.y}; }
	CPoint operator-(const CPoint& other) const { return {x - other.x, y - other.y}; }
	CPoint operator-() const { return {-x, -y}; }
	CPoint& operator+=(const CPoint& other) { return offset(other.x, other.y); }
	CPoint& operator-=(const CPoint& other) { return offset(-other.x, -other.y); }

	double x{0.};
	double y{0.};
};

} // namespace VSTGUI
