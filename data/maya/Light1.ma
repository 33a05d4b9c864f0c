//Maya ASCII 2014 scene
//Name: Light1.ma
//Codeset: UTF-8
//The sun, high in the south-west: a point light of the sample demo's 3D scene.
requires maya "2014";
currentUnit -l centimeter -a degree -t film;
createNode transform -n "pointLight1";
	setAttr ".t" -type "double3" -30 60 30 ;
createNode pointLight -n "pointLightShape1" -p "pointLight1";
	setAttr -k off ".v";
	setAttr ".cl" -type "float3" 1 0.95 0.85 ;
	setAttr ".in" 0.75;
	setAttr ".us" no;
select -ne :time1;
	setAttr ".o" 0;
// End of Light1.ma
