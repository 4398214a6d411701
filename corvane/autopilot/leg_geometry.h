// Where the aircraft is on a leg of the plan: the leg as a rhumb line (a straight line on a Mercator
// chart, the line the map draws), the aircraft's distance off it and the distance still to go.
#pragma once

namespace corvane::autopilot {

struct LegPoint {
  double latitude = 0;
  double longitude = 0;
};

struct LegPosition {
  double courseDegTrue = 0;  // the rhumb line's course, 0 … 360; the bearing to the end for a leg of no length
  double lengthNm = 0;       // from start to end, in the plan's flat-earth distance
  double crossTrackNm = 0;   // right of the leg positive
  double toGoNm = 0;         // along the leg to its end; negative once the aircraft is abeam and past it
};

// A leg whose ends coincide has no line: the aircraft is on it, with nothing to go.
LegPosition PositionOnLeg(LegPoint start, LegPoint end, LegPoint aircraft);

// The course of the rhumb line from start to end, 0 … 360 (0 for coinciding ends).
double RhumbCourseDeg(LegPoint start, LegPoint end);

}  // namespace corvane::autopilot
