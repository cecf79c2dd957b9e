#pragma once
// The separator the user types in numeric fields: the system locale's, so that
// a Polish or German desktop shows "0,5" and an English one "0.5".

namespace bw::app {

char systemDecimalSeparator();

}  // namespace bw::app
