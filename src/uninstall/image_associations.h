// Giving back the image-file associations that the product took over.
#pragma once

// For each image extension whose association names the main executable: puts
// back the association saved beside it in "PictrlOld", or deletes the
// association when none was saved, and deletes "PictrlOld". Associations of
// other programs stay as they are. Per-user associations (FileExts of
// HKEY_CURRENT_USER) when that key opens, else the classes' default values.
// True when any association was changed.
bool RestoreImageAssociations();
