"""A tiny writer of 3DS model files: one triangle mesh with texture
coordinates, in the chunks the program's reader walks (main 0x4D4D, editor
0x3D3D, object block 0x4000, triangular mesh 0x4100, vertices 0x4110,
mapping coordinates 0x4140, faces 0x4120). Also used by the tests to make
fixtures."""
import struct


def chunk(chunk_id, payload):
    return struct.pack('<HI', chunk_id, 6 + len(payload)) + payload


def vertices_chunk(vertices):
    return chunk(0x4110, struct.pack('<H', len(vertices)) + b''.join(struct.pack('<3f', *v) for v in vertices))


def mapping_chunk(coords):
    return chunk(0x4140, struct.pack('<H', len(coords)) + b''.join(struct.pack('<2f', *c) for c in coords))


def faces_chunk(faces, flags=0x7):
    return chunk(0x4120, struct.pack('<H', len(faces)) + b''.join(struct.pack('<4H', a, b, c, flags)
                                                                  for a, b, c in faces))


def model_3ds(name, vertices, faces, coords):
    mesh = chunk(0x4100, vertices_chunk(vertices) + mapping_chunk(coords) + faces_chunk(faces))
    block = chunk(0x4000, name.encode('ascii') + b'\0' + mesh)
    version = chunk(0x0002, struct.pack('<I', 3))
    return chunk(0x4D4D, version + chunk(0x3D3D, block))


class MeshBuilder:
    """Collects quads and triangles with their own texture coordinates."""

    def __init__(self):
        self.vertices, self.coords, self.faces = [], [], []

    def triangle(self, points, uvs):
        base = len(self.vertices)
        self.vertices += points
        self.coords += uvs
        self.faces.append((base, base + 1, base + 2))

    def quad(self, points, uvs):
        self.triangle([points[0], points[1], points[2]], [uvs[0], uvs[1], uvs[2]])
        self.triangle([points[0], points[2], points[3]], [uvs[0], uvs[2], uvs[3]])
