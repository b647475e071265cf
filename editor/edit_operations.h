#pragma once
// The operations that change the edited mesh: inserting a point, a triangle or
// a box under the pointer, importing a model file into the mesh, and the work
// of the editor's numbered commands (select all, select linked, add face,
// remove faces, remove points, extend).
#include <string>

#include "base/file_result.h"
#include "editor/editable3d.h"
#include "toolkit/component.h"

namespace ovek {

class ModelEdit;

namespace MODEL_EDIT {

// Each insert puts its geometry in the plane through the model origin parallel
// to the screen, under the pane point (x, y) (pane pixels, as the record that
// asked for it gives them), selects it and records a snapshot through editor.
// A point keeps the earlier selection; the triangle and the box replace it.
void operation_insert_point(Editable3D* model, ModelEdit* editor, int x, int y);
void operation_insert_triangle(Editable3D* model, ModelEdit* editor, int x, int y);
void operation_insert_box(Editable3D* model, ModelEdit* editor, int x, int y);

// Adds the points, selected, and faces of the 3DS or model file at path
// (endings in any letter case) to the mesh; a 3DS model is fitted into the box
// (-1, -1, -1)-(1, 1, 1). The rest of the mesh is deselected and a snapshot is
// recorded, also when the file cannot be read (the result says why). The
// caller asks for the path (kImportFilter); a cancelled dialog calls nothing.
FileResult operation_import(Editable3D* model, ModelEdit* editor, const std::string& path);

// The import dialog's filter list.
extern const char kImportFilter[];

}  // namespace MODEL_EDIT

void selectAllPoints(Component3D& mesh);
// Grows the selection along face edges until it takes in every point
// connected to a selected one.
void selectLinkedPoints(Component3D& mesh);
// A new face over exactly three selected points, in point order, unless they
// already form a face in any corner order. Whether a face was added.
bool addFaceOfSelection(Component3D& mesh);
// Removes the faces whose three corners are selected; points stay.
void removeSelectedFaces(Component3D& mesh);
// Removes the selected points and every face touching them.
void removeSelectedPoints(Component3D& mesh);
// Extrusion: every selected point gets an unselected copy at its place, every
// edge between two selected points (once, however many faces share it)
// becomes a wall of two triangles to the copies, and the selection moves to
// the copies.
void extendSelection(Component3D& mesh);

}  // namespace ovek
