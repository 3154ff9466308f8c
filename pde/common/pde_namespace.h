// Each print-dialog extension compiles its own copy of this core, inside the
// namespace the build names (OVQ_PDE_NS) and with hidden symbols, so that two
// extensions can be loaded into one host process side by side.
#pragma once

#ifndef OVQ_PDE_NS
#error "OVQ_PDE_NS must name the extension's copy of the dialog core"
#endif
