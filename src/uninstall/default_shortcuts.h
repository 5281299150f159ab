// The product's shortcuts and group under their default names, in the
// all-users shell folders and in every user's: found whatever the logs say.
#pragma once

// From the "Common" shell folders of HKEY_LOCAL_MACHINE: deletes
// "Pictorel 5.lnk" in the start-up and desktop folders, and empties and
// removes the "Pictorel 5" group folder under the Programs folder.
void RemoveAllUsersDefaultShortcuts();

// The same for the shell folders of each user hive under HKEY_USERS, each
// only where it lies inside the profile folder the machine names for that
// user, entered from there through held handles (see HeldFolder); without
// handle-relative opens, only the current user's. In both, a folder or file
// that is a link (junction, symbolic link, mount point) is neither entered
// nor deleted: only plain files go.
void RemovePerUserDefaultShortcuts();
