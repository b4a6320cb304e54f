// How many GDI objects the process holds.
#ifndef TONKLE_GDI_OBJECTS_H
#define TONKLE_GDI_OBJECTS_H

// GetGuiResources where the platform answers it; Wine does not, so there the entries in use of
// the process's GDI handle table (the one the PEB points to) are counted instead. Returns -1
// if neither is available.
long gdi_objects_in_use();

#endif
