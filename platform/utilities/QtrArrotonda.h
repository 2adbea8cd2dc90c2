#pragma once

// A money figure cut to its currency's unit (Valute.Arrotondamento: 0.01 for
// cents, 1 for whole units, 0.05, ...), half up on the decimal figure the
// value stands for: 21.989 with a unit of 0.01 is 21.99 and 1.005 (held as
// 1.00499999...) is 1.01. A unit of 0 leaves the value as it is. One routine
// for the shop's prices and the desk's bulk changes, so both cut alike.
double QtrArrotonda(double value, double unit);

// How many whole units the value holds, half up on the decimal figure it
// stands for: 1.005 with a unit of 0.01 is 101, not 100. The count behind
// QtrArrotonda, for callers that keep amounts in minor units.
double QtrUnitaIntere(double value, double unit);
