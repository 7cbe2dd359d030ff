#pragma once

// The settlement decimals of the standard (StandardRules): readings are
// recorded, shown and averaged to this many decimals.
int SettlementDecimals(int standardCode);

// Rounds v to 2 or 3 decimals the way the recorded averages have always been
// rounded: in single precision, a digit 5 after the last kept place rounds to
// even unless a further digit shows the value lies above the half.
// Values too large for the rounding (or not finite) are returned unchanged.
float RoundDecimals(float v, int decimals);
