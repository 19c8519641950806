// POSITION: the opaque place of an element in a list or map, handed out by
// the collection and only ever passed back to it.
#pragma once

struct CPositionOpaque;
typedef CPositionOpaque* POSITION;
